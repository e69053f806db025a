// The commands of the calculator window: menus, popups, key pictures, the switch panel,
// mini size, always on top, the tray and the keyboard decisions.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QWindow>
#include <optional>

#include "display/skin_layout.hpp"
#include "shell/settings_keys.hpp"
#include "ui/desktop_open.hpp"
#include "ui/face_accessibility.hpp"
#include "ui/face_widget.hpp"
#include "ui/main_window.hpp"
#include "ui/switch_panel.hpp"
#include "ui/task_tray.hpp"
#include "ui/ui_text.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/secondary_window.hpp"

namespace pemu::ui {

namespace {

using shell::WindowCode;

// The window a shell key of the engine opens or closes.
std::optional<WindowCode> WindowOfShellKey(int code) {
    switch (code) {
        case core::kCheckTapeKey:
            return WindowCode::kCheckTape;
        case core::kKeyAssignmentKey:
            return WindowCode::kKeyAssignment;
        case core::kEnlargedDisplayKey:
            return WindowCode::kEnlargedDisplay;
        case core::kFormulaWindowKey:
            return WindowCode::kFormula;
        default:
            return std::nullopt;
    }
}

}  // namespace

void TfrmMain::ConnectWindowItems() {
    WindowSwitcher& windows = context_->windows();
    windows.BindMenuItem(menu_.KenzanFormOpen, WindowCode::kCheckTape);
    windows.BindMenuItem(menu_.SushikiFormOpen, WindowCode::kFormula);
    windows.BindMenuItem(menu_.BigPanelOpen, WindowCode::kEnlargedDisplay);
    windows.BindMenuItem(menu_.LogFormOpen, WindowCode::kLogViewer);
    windows.BindMenuItem(menu_.SkinFromOpen, WindowCode::kSkinChooser);
    windows.BindMenuItem(menu_.KeyConfig, WindowCode::kKeyAssignment);
    windows.BindMenuItem(menu_.TaxConfig, WindowCode::kTaxRate);
    windows.BindMenuItem(menu_.UpdateCheck, WindowCode::kUpdate);
    windows.BindMenuItem(menu_.VersionInfo, WindowCode::kVersion);
    for (QMenu* menu : {menu_.view, menu_.options, menu_.help})
        connect(menu, &QMenu::aboutToShow, &windows, &WindowSwitcher::RefreshMenuChecks);
}

void TfrmMain::ConnectMenus() {
    ConnectWindowItems();
    const auto onShow = [this](QMenu* menu, auto refresh) {
        connect(menu, &QMenu::aboutToShow, this, [this, refresh] {
            panel_->Close();
            refresh();
        });
    };
    onShow(menu_.view, [this] {
        menu_.IsMemoryLocation->setChecked(Read(session_.store(), shell::keys::kStartUpEndOn));
    });
    onShow(menu_.options, [this] { RefreshSwitchCaptions(menu_, SwitchStateOf(calc_->State())); });
    onShow(menu_.help, [] {});
    onShow(popup_.MigiKuriPop, [this] {
        popup_.pKeyPanelOn->setChecked(menu_.DoingMiniSize->isChecked());
        popup_.NaviConfig->setChecked(menu_.KeyNavigation->isChecked());
        RefreshSwitchValues(popup_, SwitchStateOf(calc_->State()));
        Keys().RefreshKeys();
    });

    for (QAction* action : {menu_.RoundConfig, menu_.DecimalConfig, menu_.DigitConfig,
                            menu_.MakerConfig, menu_.AnswerCheckConfig, menu_.GrandTotalConfig}) {
        const int item = SwitchItemOfAction(menu_, action);
        connect(action, &QAction::triggered, this, [this, item] { OpenSwitchPanel(item); });
    }
    for (QAction* action : popup_.R1->actions()) {
        const int item = action->data().toInt();
        connect(action, &QAction::triggered, this, [this, item] { OpenSwitchPanel(item); });
    }
    connect(menu_.IsMemoryLocation, &QAction::triggered, this,
            [this](bool on) { shell::Write(session_.store(), shell::keys::kStartUpEndOn, on); });
    connect(menu_.DoingMiniSize, &QAction::toggled, this, &TfrmMain::SetMiniSize);
    connect(menu_.ButtonDisplay, &QAction::toggled, this, &TfrmMain::SetKeysShown);
    connect(menu_.IsForeground, &QAction::toggled, this, &TfrmMain::ApplyForeground);
    connect(menu_.IsTaskBarIn, &QAction::toggled, this, &TfrmMain::SetTrayResident);
    connect(menu_.DoingQuit, &QAction::triggered, this, &TfrmMain::QuitFromMenu);
    connect(menu_.MoveToCenter, &QAction::triggered, this, [this] {
        if (session_.channel()) {
            session_.channel()->SendToPrimary(shell::InstanceMessage::kMoveToOrigin);
        }
    });
    connect(menu_.PemuHelp, &QAction::triggered, this, &TfrmMain::OpenHelp);
    for (QAction* close : {menu_.MainMenuFileClose, menu_.MainMenuOptionClose,
                           menu_.MainManuHelpClose, popup_.popMenuClose}) {
        connect(close, &QAction::triggered, this, [this] { GiveFocus(core::Focus::kFocusField); });
    }
    connect(popup_.DoingCopyp, &QAction::triggered, this,
            [this] { RunEngine([](core::Calculator& calc) { calc.CopyDisplay(); }); });
    connect(popup_.pKeyPanelOn, &QAction::triggered, menu_.DoingMiniSize, &QAction::trigger);
    connect(menu_.KeyNavigation, &QAction::toggled, this, &TfrmMain::SetKeyNavigation);
    connect(popup_.NaviConfig, &QAction::triggered, menu_.KeyNavigation, &QAction::trigger);
    connect(trayPopup_.TaskbarRelease, &QAction::triggered, this,
            [this] { ReleaseFromTray(true); });
    connect(trayPopup_.Pop_Task_End, &QAction::triggered, this, &TfrmMain::QuitFromMenu);
    connect(tray_, &TaskTray::released, this, [this] { ReleaseFromTray(false); });
    connect(tray_, &TaskTray::popupRequested, this, [this](QPoint at) {
        raise();
        activateWindow();
        trayPopup_.TaskBarPop->popup(at);
    });
}

void TfrmMain::ConnectFace() {
    connect(face_, &FaceWidget::keyPressed, this, &TfrmMain::OnKeyPressed);
    connect(face_, &FaceWidget::keyReleased, this,
            [this](int code, Qt::MouseButton) { OnKeyReleased(code); });
    connect(face_, &FaceWidget::contextMenuRequested, this, &TfrmMain::ShowFacePopup);
    connect(face_, &FaceWidget::selectorClicked, this, &TfrmMain::OpenSwitchPanel);
    connect(face_, &FaceWidget::facePressed, this, [this] { panel_->Close(); });
    connect(face_, &FaceWidget::wheelTurned, this, [this](int delta) {
        ScrollTape(delta > 0 ? vk::kUp : vk::kDown);
        GiveFocus(core::Focus::kFocusField);
    });
    connect(panel_, &SwitchPanel::chosen, this, [this](int item, int value) {
        RunEngine([&](core::Calculator& calc) { ApplySwitchChoice(calc, item, value); });
    });
    connect(panel_, &SwitchPanel::contextMenuRequested, this, &TfrmMain::ShowFacePopupAtKeyboard);
    // Names and tooltips follow the family and the key table as they stand when shown.
    face_->SetKeyTextSource([this](int code) {
        return DescribeFaceKey(code, calc_->State().makerType, session_.keyTable());
    });
    // The focus rests on the hidden field: a screen reader hears the display through it.
    TFocus->setAccessibleDescription(Caption("表示"));
    TFocus->setAccessibleName(face_->Reading());
    connect(face_, &FaceWidget::readingChanged, TFocus, [this](const QString& reading) {
        if (!panel_->isVisible()) TFocus->setAccessibleName(reading);
    });
    // While the switch panel takes the keys its highlighted choice is heard instead.
    connect(panel_, &SwitchPanel::spoken, TFocus, [this](const QString& text) {
        TFocus->setAccessibleName(text.isEmpty() ? face_->Reading() : text);
    });
}

void TfrmMain::OnKeyPressed(int code, Qt::MouseButton button, QPoint globalPos) {
    panel_->Close();
    if (button == Qt::RightButton) {
        ShowFacePopup(globalPos);
        return;
    }
    // The check-tape key acts on release, as its own picture does.
    if (code == core::kCheckTapeKey)
        PressKey(code);
    else
        RunEngine([code](core::Calculator& calc) { calc.ExecuteKey(code); });
}

void TfrmMain::OnKeyReleased(int code) {
    if (code == core::kCheckTapeKey)
        RunEngine([code](core::Calculator& calc) { calc.ExecuteKey(code); });
    Keys().ReleaseKey(code);
}

void TfrmMain::ScrollTape(int virtualKey) {
    // The tape window scrolls as by its own shifted key: by the wheel step or a page.
    if (SecondaryWindow* tape = context_->windows().Window(WindowCode::kCheckTape))
        tape->PressWindowKey(virtualKey, {true, false, false});
}

void TfrmMain::OpenSwitchPanel(int item) {
    const SwitchState state = SwitchStateOf(calc_->State());
    panel_->Open(item, state.makerType, state.ValueOf(item), menu_.DoingMiniSize->isChecked());
}

void TfrmMain::ShowFacePopup(QPoint globalPos) {
    popup_.MigiKuriPop->popup(globalPos);
}

void TfrmMain::ShowFacePopupAtKeyboard() {
    const QPoint at(client_->width() / 2 - 100, client_->height() / 2 - 52);
    ShowFacePopup(client_->mapToGlobal(at));
}

void TfrmMain::SetMiniSize(bool on) {
    client_->setFixedSize(display::kFaceSize.width,
                          on ? display::kMiniFaceHeight : display::kFaceSize.height);
}

void TfrmMain::SetKeysShown(bool on) {
    Keys().ShowKeys(on);
    face_->SetKeysVisible(on);
}

void TfrmMain::SetKeyNavigation(bool on) {
    context_->ShowKeyNavigation(on);
}

void TfrmMain::ApplyForeground() {
    const bool onTop = menu_.IsForeground->isChecked();
    if (windowFlags().testFlag(Qt::WindowStaysOnTopHint) == onTop) return;
    QWindow* native = windowHandle();
    if (!native) {
        setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
        return;
    }
    // Changed on the window as it stands: a new native window would leave the windows it
    // owns transient for one that no longer exists.
    const Qt::WindowFlags flags = windowFlags().setFlag(Qt::WindowStaysOnTopHint, onTop);
    overrideWindowFlags(flags);
    native->setFlags(flags);
}

void TfrmMain::SetTrayResident(bool on) {
    if (on)
        tray_->Show();
    else
        tray_->Remove();
}

void TfrmMain::ReleaseFromTray(bool fromMenu) {
    showNormal();
    context_->windows().ShowAll(true);
    activateWindow();
    if (fromMenu) menu_.IsTaskBarIn->setChecked(false);
}

void TfrmMain::QuitFromMenu() {
    menu_.IsTaskBarIn->setChecked(false);
    close();
}

void TfrmMain::OpenHelp() {
    OpenManualPage(this, session_.paths(), "index.htm");
    GiveFocus(core::Focus::kFocusField);
}

void TfrmMain::RunKeyDecision(const KeyDecision& d, bool shift) {
    switch (d.command) {
        case KeyCommand::kExecute:
            RunEngine([&d](core::Calculator& calc) { calc.ExecuteKey(d.value); });
            break;
        case KeyCommand::kContextMenu:
            ShowFacePopupAtKeyboard();
            break;
        case KeyCommand::kSwitchPanel:
            panel_->HandleKey(d.value, shift);
            break;
        case KeyCommand::kWindowKey:
            context_->windows().HandleWindowKey(WindowCode::kMain, d.value, {});
            if (d.releaseCheckKey) Keys().ReleaseKey(core::kCheckTapeKey);
            break;
        case KeyCommand::kScrollTape:
            ScrollTape(d.value);
            TFocus->setFocus();
            break;
        case KeyCommand::kClearTape:
            // The tape window's own Shift+Delete.
            if (SecondaryWindow* tape = context_->windows().Window(WindowCode::kCheckTape))
                tape->PressWindowKey(vk::kDelete, {true, false, false});
            TFocus->setFocus();
            break;
        case KeyCommand::kMoveWindow:
            move(pos() + QPoint(d.dx, d.dy));
            break;
        case KeyCommand::kCopy:
            RunEngine([](core::Calculator& calc) { calc.CopyDisplay(); });
            break;
        case KeyCommand::kPaste:
            PasteFromClipboard();
            break;
        case KeyCommand::kCloseNewestWindow:
            context_->windows().CloseNewestWindow();
            break;
        case KeyCommand::kCloseMain:
            close();
            break;
        case KeyCommand::kToggleNavigation:
            menu_.KeyNavigation->trigger();
            break;
        case KeyCommand::kRefreshLog:
            // F5 reaches an open log viewer as if pressed there: it reloads.
            if (SecondaryWindow* log = context_->windows().Window(WindowCode::kLogViewer))
                log->PressWindowKey(vk::kF5, {});
            break;
        case KeyCommand::kNone:
            break;
    }
}

// ---- core::ShellPort ------------------------------------------------------------------

void TfrmMain::PressKey(int code) {
    Keys().PressKey(code);
}

void TfrmMain::RefreshKeys() {
    Keys().RefreshKeys();
}

void TfrmMain::RunShellKey(int code) {
    if (const auto window = WindowOfShellKey(code)) {
        // A key of a window this program does not have does nothing.
        context_->windows().Toggle(*window, false);
        return;
    }
    if (code == core::kMiniSizeKey) {
        menu_.DoingMiniSize->trigger();
    } else if (code == core::kButtonDisplayKey) {
        // The button display refuses to toggle from the key while mini size is on.
        if (!menu_.DoingMiniSize->isChecked()) menu_.ButtonDisplay->trigger();
    }
    GiveFocus(core::Focus::kFocusField);
}

void TfrmMain::PasteFromClipboard() {
    panel_->Close();
    const QString text = QGuiApplication::clipboard()->text();
    // A text far longer than any number is refused before it is converted.
    bool pasted = false;
    RunEngine([&](core::Calculator& calc) {
        pasted = text.size() <= 256 && calc.PasteNumber(text.toUtf8().toStdString());
    });
    if (!pasted) QApplication::beep();
}

void TfrmMain::CopyToClipboard(std::string_view text) {
    QGuiApplication::clipboard()->setText(FromCp932(text));
}

void TfrmMain::FamilyChanged(core::KeyFamily family) {
    if (context_) context_->NotifyFamilyChanged(family);
}

void TfrmMain::GiveFocus(core::Focus focus) {
    if (focus == core::Focus::kUnchanged) return;
    TFocus->setFocus();
    if (focus == core::Focus::kMainWindow && !isActiveWindow()) activateWindow();
}

}  // namespace pemu::ui
