#pragma once
// What the engine hands to the window around it: the keys that open windows or toggle the
// window's own states, key pictures and the clipboard. The window implements it; without a
// window a recording or null implementation stands in. The keyboard focus is no call: an
// operation leaves a Focus the window gives once it has run.
#include <string_view>

#include "core/key_codes.hpp"

namespace pemu::core {

// Where the keyboard goes once an operation has run.
enum class Focus {
    kUnchanged,   // the operation asked for nothing (a shell key, an ignored code)
    kFocusField,  // the hidden focus field takes the keyboard
    kMainWindow,  // the focus field, and the main window is activated (after + - x / =)
};

class ShellPort {
  public:
    virtual ~ShellPort() = default;

    // The key's pressed picture (any code; codes without a cell draw nothing).
    virtual void PressKey(int code) = 0;
    // All key pictures redrawn released, e.g. after a family change (CE and C captions).
    virtual void RefreshKeys() = 0;
    // One of kCheckTapeKey, kKeyAssignmentKey .. kFormulaWindowKey. Runs whatever the
    // error state; the engine asks for no focus after it but for the check tape key (the
    // window gives what it needs).
    virtual void RunShellKey(int code) = 0;
    // The copy command: text is displayValue as stored (CP932, no separators).
    virtual void CopyToClipboard(std::string_view text) = 0;
    // The key-logic family changed (1 "SHARP", 2 "CASIO"); the formula window follows it.
    virtual void FamilyChanged(KeyFamily family) = 0;
};

// A shell that does nothing, for engines run without a window.
class NullShell : public ShellPort {
  public:
    void PressKey(int) override {}
    void RefreshKeys() override {}
    void RunShellKey(int) override {}
    void CopyToClipboard(std::string_view) override {}
    void FamilyChanged(KeyFamily) override {}
};

}  // namespace pemu::core
