#pragma once
// TfrmMain, the calculator window: the face with its keys and display, the menus, the
// switch panel, mini size, always on top and the task tray. It makes the run's context
// (engine, tape, face, memory, secondary windows), draws it and forwards every mouse and
// keyboard event to it, and takes part in the start-up and shut-down sequences of the
// shell session. No calculator logic lives here.
#include <QMainWindow>
#include <memory>

#include "core/calculator.hpp"
#include "core/shell_port.hpp"
#include "display/digital_display.hpp"
#include "display/key_pictures.hpp"
#include "display/skin.hpp"
#include "shell/shell_session.hpp"
#include "ui/app_context.hpp"
#include "ui/context_menus.hpp"
#include "ui/key_dispatch.hpp"
#include "ui/main_menu.hpp"
#include "ui/switch_items.hpp"

class QLineEdit;

namespace pemu::platform {
class ReadyNotifier;
}

namespace pemu::ui {

class FaceWidget;
class SwitchPanel;
class TaskTray;

class TfrmMain : public QMainWindow,
                 public core::ShellPort,
                 public shell::ActivationHost,
                 public shell::FinalSaveHost {
    Q_OBJECT
  public:
    // Runs the construction of the session: first-run copy, store, view settings.
    explicit TfrmMain(shell::ShellSession& session, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Reached from tests and the start-up: the first activation (settings, key table) when
    // it has not happened yet. A desktop without a window manager never activates a window.
    void EnsureActivated();
    // The keyboard handlers, with Windows virtual-key codes, the character the key produced
    // (0 for none) and the physical key (its scan code; 0 when not known). True when the
    // key is consumed.
    bool FormKeyDown(int virtualKey, KeyModifiers modifiers, char32_t typed = 0,
                     int physicalKey = 0);
    void FormKeyUp(int virtualKey, bool shift, char32_t typed = 0, int physicalKey = 0);
    // Ctrl+V, Shift+Insert: the clipboard's number keyed in; refused with a beep.
    void PasteFromClipboard();

    AppContext& Context() { return *context_; }
    core::Calculator& Calculator() { return context_->calculator(); }
    display::KeyPictures& Keys() { return context_->face().keys(); }
    display::DigitalDisplay& Display() { return context_->face().display(); }
    const display::Skin& Skin() const { return context_->face().skin(); }
    FaceWidget* Face() const { return face_; }
    SwitchPanel* Panel() const { return panel_; }
    QWidget* ClientArea() const { return client_; }
    QLineEdit* FocusField() const { return TFocus; }
    const MainMenu& Menu() const { return menu_; }
    const FacePopup& Popup() const { return popup_; }
    bool FinalSaveFailed() const { return finalSaveFailed_; }

    // core::ShellPort
    void PressKey(int code) override;
    void RefreshKeys() override;
    void RunShellKey(int code) override;
    void CopyToClipboard(std::string_view text) override;
    void FamilyChanged(int makerType) override;

    // The one place the window gives the keyboard: the hidden focus field takes it, and
    // for kMainWindow the window is activated too.
    void GiveFocus(core::Focus focus);

    // shell::ActivationHost
    void ShowPerTypeMessage(const std::string& messageCp932) override;
    void ReadSettings(const shell::SettingsStore& store) override;
    void BecomeChildWindow(const std::string& mainCaption,
                           const std::string& captionSuffix) override;
    void OpenWindow(char code) override;
    void KeyTableLoaded(const shell::KeyTable& table) override;

    // shell::FinalSaveHost
    void RemoveTrayIcon() override;
    void WriteSettings(shell::SettingsStore& store) override;
    void FlushSettingNotes() override;
    std::string ClearedText() override;
    std::string TapeText() override;

  protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Construction pieces (main_window.cpp).
    void BuildClientArea();
    void ApplyConstructionSettings();
    void PlaceOnScreen();
    void RunFinalSave();

    // Commands (main_window_commands.cpp).
    void ConnectMenus();
    void ConnectWindowItems();
    void ConnectFace();
    void OnKeyPressed(int code, Qt::MouseButton button, QPoint globalPos);
    void OnKeyReleased(int code);
    void OpenSwitchPanel(int item);
    // Shift with Up, Down, Page Up or Page Down, and the wheel: the tape window scrolls.
    void ScrollTape(int virtualKey);
    void ShowFacePopup(QPoint globalPos);
    void ShowFacePopupAtKeyboard();
    void SetMiniSize(bool on);
    void SetKeysShown(bool on);
    void SetKeyNavigation(bool on);
    void ApplyForeground();
    void SetTrayResident(bool on);
    void ReleaseFromTray(bool fromMenu);
    void QuitFromMenu();
    void OpenHelp();
    void RunKeyDecision(const KeyDecision& decision, bool shift);
    void OnInstanceMessages();

    shell::ShellSession& session_;
    shell::ConstructionSettings construction_;
    std::unique_ptr<AppContext> context_;
    core::Calculator* calc_ = nullptr;  // the context's engine
    // An engine operation from this window, then the focus it asked for.
    template <typename Operation>
    void RunEngine(Operation&& operation) {
        operation(*calc_);
        GiveFocus(calc_->TakeFocus());
    }
    display::DigitalDisplay::Listeners::Subscription displayListener_;
    display::KeyPictures::Listeners::Subscription keysListener_;
    display::Face::SkinListeners::Subscription skinListener_;
    int typedOperatorDown_ = 0;  // drawn pressed by a typed operator, until its key goes up
    HeldKeys heldKeys_;          // the pictures keys drew pressed, by physical key

    MainMenu menu_;
    FacePopup popup_;
    TrayPopup trayPopup_;
    TaskTray* tray_ = nullptr;
    QWidget* client_ = nullptr;
    FaceWidget* face_ = nullptr;
    SwitchPanel* panel_ = nullptr;
    QLineEdit* TFocus = nullptr;  // hidden read-only field that holds the keyboard focus
    platform::ReadyNotifier* messages_ = nullptr;

    bool firstShown_ = false;
    bool framed_ = false;  // activated once: the window system's frame is known
    bool activating_ = false;
    bool finalSaved_ = false;
    bool finalSaveFailed_ = false;
};

}  // namespace pemu::ui
