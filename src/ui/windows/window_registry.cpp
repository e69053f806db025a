#include "ui/windows/window_registry.hpp"

#include "ui/window_switcher.hpp"

namespace pemu::ui {

void RegisterSecondaryWindows(WindowSwitcher& windows, AppContext& context) {
    // One line per window, e.g.
    //   windows.Register(shell::WindowCode::kVersion, [&] { return new TfrmVer(context); });
    (void)windows;
    (void)context;
}

}  // namespace pemu::ui
