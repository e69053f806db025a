#include "ui/main_window.hpp"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <utility>

#include "display/skin_layout.hpp"
#include "platform/qt/ready_notifier.hpp"
#include "platform/qt/virtual_key.hpp"
#include "shell/settings_keys.hpp"
#include "ui/data_folder_messages.hpp"
#include "ui/face_widget.hpp"
#include "ui/switch_panel.hpp"
#include "ui/task_tray.hpp"
#include "ui/ui_text.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/secondary_window.hpp"
#include "ui/windows/update_check.hpp"

namespace pemu::ui {

namespace {
constexpr Qt::WindowFlags kWindowFlags = Qt::Window | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

// The one character a key produced on the user's layout; 0 for none or several.
char32_t TypedOf(const QKeyEvent& key) {
    const QString text = key.text();
    return text.size() == 1 ? text.at(0).unicode() : 0;
}
}  // namespace

TfrmMain::TfrmMain(shell::ShellSession& session, QWidget* parent)
    : QMainWindow(parent, kWindowFlags),
      session_(session),
      construction_(session.Construct()),
      context_(std::make_unique<AppContext>(session, *this, *this, construction_.dentakuType,
                                            [this](core::Focus focus) { GiveFocus(focus); })),
      calc_(&context_->calculator()) {
    setObjectName("frmMain");
    setWindowTitle("Pemu");
    BuildClientArea();
    menu_ = BuildMainMenu(menuBar());
    popup_ = BuildFacePopup(this);
    trayPopup_ = BuildTrayPopup(this);
    tray_ = new TaskTray(QGuiApplication::windowIcon(), this);
    displayListener_ = Display().AddChangedListener(
        [this](display::DigitalDisplay::Changed what) { face_->DisplayChanged(what); });
    keysListener_ = Keys().AddChangedListener([this](int code) { face_->KeyChanged(code); });
    skinListener_ = context_->face().AddSkinChangedListener([this] { face_->RefreshFace(); });
    ConnectMenus();
    ConnectFace();
    context_->updateCheck().SetEndProgram([this] { QuitFromMenu(); });
    ApplyConstructionSettings();
    if (session_.channel() && session_.channel()->readiness() != platform::kNoReadyHandle) {
        messages_ = new platform::ReadyNotifier(session_.channel()->readiness(), this);
        connect(messages_, &platform::ReadyNotifier::ready, this, &TfrmMain::OnInstanceMessages);
    }
}

TfrmMain::~TfrmMain() {
    // A run that ends without a close request (the session ends) still saves.
    RunFinalSave();
}

void TfrmMain::BuildClientArea() {
    client_ = new QWidget(this);
    client_->setObjectName("ClientArea");
    face_ = new FaceWidget(Skin(), Display(), Keys(), client_);
    panel_ = new SwitchPanel(client_);
    TFocus = new QLineEdit(client_);
    TFocus->setObjectName("TFocus");
    TFocus->setReadOnly(true);
    TFocus->setAttribute(Qt::WA_InputMethodEnabled, false);
    TFocus->setContextMenuPolicy(Qt::NoContextMenu);
    TFocus->setGeometry(-20, -20, 1, 1);  // holds the focus, never seen
    TFocus->installEventFilter(this);
    installEventFilter(this);
    setCentralWidget(client_);
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    // A window not built into this program takes no clicks on its key.
    face_->SetKeyEnabled(core::kCheckTapeKey,
                         context_->windows().IsRegistered(shell::WindowCode::kCheckTape));
}

void TfrmMain::ApplyConstructionSettings() {
    menu_.DoingMiniSize->setChecked(construction_.keyPanelOn);
    SetMiniSize(construction_.keyPanelOn);
    menu_.ButtonDisplay->setChecked(construction_.keyButtonOn);
    SetKeysShown(construction_.keyButtonOn);
    menu_.KeyNavigation->setChecked(construction_.keyNaviOn);
    menu_.IsMemoryLocation->setChecked(construction_.startUpEndOn);
    menu_.IsTaskBarIn->setEnabled(TaskTray::Available());
    PlaceOnScreen();
    menu_.IsForeground->setChecked(construction_.frontSideOn);
    ApplyForeground();
}

void TfrmMain::PlaceOnScreen() {
    adjustSize();
    if (construction_.placeWindow) {
        // Where it was left, as far as it is on a screen there is now; the frame is not
        // known before the first show and is checked again at the first activation.
        move(construction_.left, construction_.top);
        context_->windows().KeepOnScreen(*this);
        return;
    }
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (firstShown_) return;
    firstShown_ = true;
    context_->FirstShow(construction_.custumSkinType);
    face_->RefreshFace();
    // Settings come with the first activation; a desktop that never activates the window
    // (no window manager) must still get them, right after this show.
    QTimer::singleShot(0, this, &TfrmMain::EnsureActivated);
}

void TfrmMain::EnsureActivated() {
    // A message box of the first activation runs events: no second one may start then.
    if (session_.activated() || activating_) return;
    activating_ = true;
    session_.FirstActivate(*this);
    // Before any work is keyed: nothing of this run could be kept.
    if (const platform::IoResult& check = session_.dataFolderCheck(); !check)
        WarnUnusableDataFolder(this, check.what);
    activating_ = false;
    // Shown now, with the frame the window system knows so far (all of it without a
    // window manager, which never activates the window).
    context_->windows().KeepOnScreen(*this);
    TFocus->setFocus();
}

void TfrmMain::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange) {
        if (isActiveWindow()) {
            if (!framed_) {
                framed_ = true;
                context_->windows().KeepOnScreen(*this);
            }
            if (session_.activated())
                ApplyForeground();
            else if (firstShown_)
                EnsureActivated();
        } else {
            panel_->Close();
            Keys().RefreshKeys();  // no key stays drawn pressed
        }
    } else if (event->type() == QEvent::WindowStateChange) {
        const bool toTray = isMinimized() && menu_.IsTaskBarIn->isChecked() &&
                            session_.role() == shell::InstanceRole::kPrimary && tray_->Shown();
        if (toTray) {
            // Hidden into the tray instead of minimized.
            QTimer::singleShot(0, this, [this] {
                setWindowState(windowState() & ~Qt::WindowMinimized);
                context_->windows().ShowAll(false);
            });
        }
    }
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (session_.role() == shell::InstanceRole::kPrimary) {
        if (menu_.IsTaskBarIn->isChecked() && tray_->Shown()) {
            // Resident in the tray: the close only hides the system.
            context_->windows().WriteOpenWindowPositions();
            shell::Write(session_.store(), shell::keys::kStartUpTop, y());
            shell::Write(session_.store(), shell::keys::kStartUpLeft, x());
            context_->windows().ShowAll(false);
            event->ignore();
            return;
        }
        session_.SaveOpenWindowList(menu_.IsMemoryLocation->isChecked());
    }
    RunFinalSave();
    event->accept();
}

void TfrmMain::RunFinalSave() {
    if (finalSaved_ || !session_.activated()) return;
    finalSaved_ = true;
    // The final save closes the channel to the other copies.
    delete messages_;
    messages_ = nullptr;
    // The windows still open write their settings before the store is flushed.
    context_->windows().CloseAll();
    const shell::FinalSaveReport report = session_.FinalSave(*this);
    if (!report.failed()) return;
    finalSaveFailed_ = true;
    WarnFinalSaveFailed(!report.log.ok ? report.log.what : report.settings.what);
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* event) {
    // Keys reach the window itself only when the focus field does not hold the focus; a
    // key the focus field passes on must not be handled twice.
    const bool handled = watched == TFocus || (watched == this && focusWidget() != TFocus);
    if (!handled) return QMainWindow::eventFilter(watched, event);
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        const Qt::KeyboardModifiers mods = key->modifiers();
        const KeyModifiers modifiers{(mods & Qt::ShiftModifier) != 0,
                                     (mods & Qt::ControlModifier) != 0,
                                     (mods & Qt::AltModifier) != 0};
        const int virtualKey = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab
                                   ? 9
                                   : platform::VirtualKeyOf(*key);
        // Tab never moves the focus away from the focus field.
        return FormKeyDown(virtualKey, modifiers, TypedOf(*key),
                           static_cast<int>(key->nativeScanCode())) ||
               virtualKey == 9;
    }
    if (event->type() == QEvent::KeyRelease) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!key->isAutoRepeat()) {
            FormKeyUp(platform::VirtualKeyOf(*key), (key->modifiers() & Qt::ShiftModifier) != 0,
                      TypedOf(*key), static_cast<int>(key->nativeScanCode()));
        }
        return false;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool TfrmMain::FormKeyDown(int virtualKey, KeyModifiers modifiers, char32_t typed,
                           int physicalKey) {
    const SecondaryWindow* tape = context_->windows().Window(shell::WindowCode::kCheckTape);
    const KeyState state{isMinimized(), panel_->isVisible(), tape && tape->isVisible()};
    const KeyDecision decision = DecideKeyDown(
        virtualKey, modifiers, state, [this](int vk) { return session_.keyTable().KeyCodeOf(vk); },
        typed);
    if (decision.command == KeyCommand::kExecute) {
        if (const int before = heldKeys_.Pressed(physicalKey, decision.value))
            Keys().ReleaseKey(before);
        if (decision.value == TypedOperatorOf(typed)) typedOperatorDown_ = decision.value;
    }
    RunKeyDecision(decision, modifiers.shift);
    return decision.consumed;
}

void TfrmMain::FormKeyUp(int virtualKey, bool shift, char32_t typed, int physicalKey) {
    // The picture this very key drew pressed goes up, whatever it types now.
    if (const int held = heldKeys_.Released(physicalKey)) {
        if (held == typedOperatorDown_) typedOperatorDown_ = 0;
        Keys().ReleaseKey(held);
        return;
    }
    const int code = ReleaseCodeOf(
        virtualKey, shift, [this](int vk) { return session_.keyTable().KeyCodeOf(vk); }, typed);
    // Shift let go first turns "+" into "=" on its way up: the key drawn pressed goes up.
    if (typedOperatorDown_ != 0 && TypedOperatorOf(typed) != 0) {
        Keys().ReleaseKey(std::exchange(typedOperatorDown_, 0));
    }
    if (code != 0) Keys().ReleaseKey(code);
}

}  // namespace pemu::ui
