#include "ui/windows/window_registry.hpp"

#include "ui/window_switcher.hpp"
#include "ui/windows/kenzan_window.hpp"

namespace pemu::ui {

void RegisterSecondaryWindows(WindowSwitcher& windows, AppContext& context) {
    windows.Register(shell::WindowCode::kCheckTape, [&context] { return new TfrmKenzan(context); });
}

}  // namespace pemu::ui
