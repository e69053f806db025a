#include "platform/qt/virtual_key.hpp"

namespace pemu::platform {

int VirtualKeyOf(const QKeyEvent& event) {
    return VirtualKeyOf(event.key(), event.modifiers());
}

}  // namespace pemu::platform
