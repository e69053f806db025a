#pragma once
// What the engine hands to the window around it: the keys that open windows or toggle the
// window's own states, key pictures, the clipboard and the keyboard focus. The window
// implements it; without a window a recording or null implementation stands in.
#include <string_view>

#include "core/key_codes.hpp"

namespace pemu::core {

class ShellPort {
  public:
    virtual ~ShellPort() = default;

    // The key's pressed picture (any code; codes without a cell draw nothing).
    virtual void PressKey(int code) = 0;
    // All key pictures redrawn released, e.g. after a family change (CE and C captions).
    virtual void RefreshKeys() = 0;
    // One of kCheckTapeKey, kKeyAssignmentKey .. kFormulaWindowKey. Runs whatever the
    // error state; the engine does not refocus after it (the window does, as it needs).
    virtual void RunShellKey(int code) = 0;
    // The copy command: text is displayValue as stored (CP932, no separators).
    virtual void CopyToClipboard(std::string_view text) = 0;
    // The key-logic family changed (1 "SHARP", 2 "CASIO"); the formula window follows it.
    virtual void FamilyChanged(int makerType) = 0;
    // The step every operation ends with: the enlarged display copies the main display
    // and the hidden focus field takes the keyboard.
    virtual void Refocus() = 0;
    // Only the focus field takes the keyboard (a key refused during an error).
    virtual void FocusInput() = 0;
    // The main window itself takes the focus (after an operator key).
    virtual void FocusMainWindow() = 0;
};

// A shell that does nothing, for engines run without a window.
class NullShell : public ShellPort {
  public:
    void PressKey(int) override {}
    void RefreshKeys() override {}
    void RunShellKey(int) override {}
    void CopyToClipboard(std::string_view) override {}
    void FamilyChanged(int) override {}
    void Refocus() override {}
    void FocusInput() override {}
    void FocusMainWindow() override {}
};

}  // namespace pemu::core
