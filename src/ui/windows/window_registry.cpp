#include "ui/windows/window_registry.hpp"

#include "ui/window_switcher.hpp"
#include "ui/windows/big_panel.hpp"
#include "ui/windows/formula_window.hpp"
#include "ui/windows/kenzan_window.hpp"
#include "ui/windows/key_set_window.hpp"
#include "ui/windows/log_view.hpp"
#include "ui/windows/skin_chooser.hpp"
#include "ui/windows/tax_rate_dialog.hpp"
#include "ui/windows/update_window.hpp"
#include "ui/windows/version_dialog.hpp"

namespace pemu::ui {

void RegisterSecondaryWindows(WindowSwitcher& windows, AppContext& context) {
    using shell::WindowCode;
    windows.Register(WindowCode::kCheckTape, [&context] { return new TfrmKenzan(context); });
    windows.Register(WindowCode::kFormula, [&context] { return new TfrmSushiki(context); });
    windows.Register(WindowCode::kEnlargedDisplay,
                     [&context] { return new TfrmBigPanel(context); });
    windows.Register(WindowCode::kLogViewer, [&context] { return new TfrmLogView(context); });
    windows.Register(WindowCode::kTaxRate, [&context] { return new TfrmZeiritu(context); });
    windows.Register(WindowCode::kVersion, [&context] { return new TfrmVer(context); });
    windows.Register(WindowCode::kSkinChooser, [&context] { return new TfrmSkinCh(context); });
    windows.Register(WindowCode::kKeyAssignment, [&context] { return new TfrmKeySet(context); });
    windows.Register(WindowCode::kUpdate, [&context] { return new TfrmUpdate(context); });
}

}  // namespace pemu::ui
