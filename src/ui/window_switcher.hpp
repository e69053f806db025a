#pragma once
// The one place the secondary windows are opened, raised, closed, listed and placed: the
// toggle routine, the window keys every window shares (F1 to F6, F8, Esc, Ctrl+arrows), the
// open-window list with its codes, hiding and showing all windows at once, and the
// reopening at start. A window type joins with one Register call (ui/windows/).
#include <QObject>
#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "shell/open_window_list.hpp"
#include "shell/window_policy.hpp"
#include "ui/key_dispatch.hpp"

class QAction;
class QMargins;
class QWidget;

namespace pemu::ui {

class AppContext;
class SecondaryWindow;

class WindowSwitcher : public QObject, public shell::WindowHost, public shell::WindowVisibility {
    Q_OBJECT
  public:
    // Makes a new window (not yet shown); it is freed when it closes.
    using Factory = std::function<SecondaryWindow*()>;

    explicit WindowSwitcher(AppContext& context);
    ~WindowSwitcher() override;

    void Register(shell::WindowCode code, Factory make);
    bool IsRegistered(shell::WindowCode code) const;
    SecondaryWindow* Window(shell::WindowCode code) const;

    // The toggle routine: focusOnly false opens a closed window and closes an open one;
    // focusOnly true opens or brings to the front. Except when it only brings a window to
    // the front or opens a dialog that keeps it, the keyboard goes back to the main window.
    void Toggle(shell::WindowCode code, bool focusOnly);

    // shell::WindowHost
    bool IsOpen(shell::WindowCode code) const override;
    void Open(shell::WindowCode code) override;
    void Close(shell::WindowCode code) override;
    void BringToFront(shell::WindowCode code) override;

    // The keys every secondary window shares, from `window` (kMain: the main window, which
    // handles Esc and Ctrl+arrows itself). True when the key was taken.
    bool HandleWindowKey(shell::WindowCode window, int virtualKey, KeyModifiers modifiers);
    // F8: the most recently activated window closes; with none, the main window ends (the
    // primary asks first).
    void CloseNewestWindow();

    // Called by every secondary window.
    void NoteActivated(shell::WindowCode code);
    void NoteClosed(shell::WindowCode code);
    // First placement beside (or above) the main window, or where it was left, whole on a
    // screen; done before the window is first shown, so that the window system puts its
    // frame there.
    void Place(QWidget& window, shell::WindowCode code);
    // The frame the window system puts around `window`: its own once it has one, before
    // that the main window's (one window manager decorates both).
    QMargins FrameOf(const QWidget& window) const;
    // A window that is not whole on a screen is moved onto the nearest one.
    void KeepOnScreen(QWidget& window) const;
    // The caption with the child suffix in a child copy.
    QString CaptionOf(std::string_view utf8Caption) const;

    // A menu item that opens and closes a window: enabled only when this program has the
    // window, checked while it is open.
    void BindMenuItem(QAction* item, shell::WindowCode code);
    // The checks of the bound items from the windows open now (a menu is opening).
    void RefreshMenuChecks();

    // ReopenWindows at start: the window of a saved code (unknown codes are skipped).
    void Reopen(char code);
    // While resident in the tray the close only hides: the positions of the open tape,
    // formula, enlarged display and log windows are kept.
    void WriteOpenWindowPositions();
    void ShowAll(bool visible);
    // At the end of the run every window still open closes and writes its settings.
    void CloseAll();

    // shell::WindowVisibility
    void SetMainWindowVisible(bool visible) override;
    void SetWindowVisible(char code, bool visible) override;

  signals:
    // A window opened or closed: the menus' checks follow.
    void windowsChanged();

  private:
    void ReturnFocusToMain();

    AppContext& context_;
    std::map<shell::WindowCode, Factory> factories_;
    std::map<shell::WindowCode, SecondaryWindow*> open_;
    std::vector<std::pair<QAction*, shell::WindowCode>> menuItems_;
};

}  // namespace pemu::ui
