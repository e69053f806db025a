#include "ui/windows/window_registry.hpp"

#include "ui/window_switcher.hpp"
#include "ui/windows/formula_window.hpp"
#include "ui/windows/key_set_window.hpp"
#include "ui/windows/skin_chooser.hpp"
#include "ui/windows/update_window.hpp"

namespace pemu::ui {

void RegisterSecondaryWindows(WindowSwitcher& windows, AppContext& context) {
    // One line per window, e.g.
    //   windows.Register(shell::WindowCode::kVersion, [&] { return new TfrmVer(context); });
    windows.Register(shell::WindowCode::kFormula, [&context] { return new TfrmSushiki(context); });
    windows.Register(shell::WindowCode::kSkinChooser,
                     [&context] { return new TfrmSkinCh(context); });
    windows.Register(shell::WindowCode::kKeyAssignment,
                     [&context] { return new TfrmKeySet(context); });
    windows.Register(shell::WindowCode::kUpdate, [&context] { return new TfrmUpdate(context); });
}

}  // namespace pemu::ui
