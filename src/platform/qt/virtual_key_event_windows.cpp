#include "platform/qt/virtual_key.hpp"

namespace pemu::platform {

int VirtualKeyOf(const QKeyEvent& event) {
    // Events made up inside the program carry no native key.
    const quint32 native = event.nativeVirtualKey();
    if (native > 0 && native < 256) return static_cast<int>(native);
    return VirtualKeyOf(event.key(), event.modifiers());
}

}  // namespace pemu::platform
