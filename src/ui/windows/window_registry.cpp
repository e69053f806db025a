#include "ui/windows/window_registry.hpp"

#include "ui/window_switcher.hpp"
#include "ui/windows/formula_window.hpp"
#include "ui/windows/kenzan_window.hpp"
#include "ui/windows/skin_chooser.hpp"

namespace pemu::ui {

void RegisterSecondaryWindows(WindowSwitcher& windows, AppContext& context) {
    // One line per window, e.g.
    //   windows.Register(shell::WindowCode::kVersion, [&] { return new TfrmVer(context); });
    windows.Register(shell::WindowCode::kCheckTape, [&context] { return new TfrmKenzan(context); });
    windows.Register(shell::WindowCode::kFormula, [&context] { return new TfrmSushiki(context); });
    windows.Register(shell::WindowCode::kSkinChooser,
                     [&context] { return new TfrmSkinCh(context); });
}

}  // namespace pemu::ui
