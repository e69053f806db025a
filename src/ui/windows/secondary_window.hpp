#pragma once
// The frame every secondary window shares: its code in the open-window list, the caption
// with the child suffix, first placement, activation and closing noted with the switcher,
// its own keys first and then the window keys every window shares. A window derives from
// it, builds its controls, and writes its own settings in WriteSettings.
#include <QWidget>
#include <string_view>

#include "shell/open_window_list.hpp"
#include "ui/key_dispatch.hpp"

namespace pemu::ui {

class AppContext;

class SecondaryWindow : public QWidget {
    Q_OBJECT
  public:
    // `caption` in UTF-8 source text; the window frees itself when it closes. It belongs to
    // the calculator window (transient for it, owned by it), so it stays in front of it.
    SecondaryWindow(AppContext& context, shell::WindowCode code, std::string_view caption);
    ~SecondaryWindow() override;

    shell::WindowCode Code() const { return code_; }
    // A dialog the user works in keeps the keyboard when it is opened; a view (the default)
    // gives it back to the calculator.
    virtual bool KeepsKeyboardWhenOpened() const { return false; }
    // A key handed over from another window (F5 of the main window to the log viewer), taken
    // as the window's own key. True when taken.
    bool PressWindowKey(int virtualKey, KeyModifiers modifiers) {
        return WindowKeyDown(virtualKey, modifiers);
    }

  protected:
    AppContext& context() { return context_; }
    // The outer size the window may not go below, and the client size it opens with by
    // default (which stays allowed whatever the frame).
    void SetOuterMinimum(QSize outer, QSize designedClient);
    // Writes the window's own keys into the settings store; runs once, when it closes.
    virtual void WriteSettings() {}
    // The window's own keys (Windows virtual-key numbers), before the shared ones and before
    // the focused control. True when taken; a key it acts on must be taken.
    virtual bool WindowKeyDown(int virtualKey, KeyModifiers modifiers);

    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void ApplyOuterMinimum();

    AppContext& context_;
    shell::WindowCode code_;
    QSize outerMinimum_;
    QSize designedClient_;
    bool framed_ = false;  // seen with the window system's frame
    bool closed_ = false;
};

}  // namespace pemu::ui
