#pragma once
// What a key press on the main window means, decided from its Windows virtual-key code,
// the modifiers and the window's state. Pure: the window carries the decision out.
#include <functional>
#include <map>

#include "platform/virtual_keys.hpp"
#include "shell/key_table.hpp"

namespace pemu::ui {

namespace vk = platform::vk;

// The code KeyCodeOf gives for a key nobody assigned: draws nothing, does nothing.
inline constexpr int kUnassignedKey = shell::kNoKeyCode;

enum class KeyCommand {
    kNone,               // nothing to do
    kExecute,            // ExecuteKey(code)
    kContextMenu,        // open the right-click popup at the keyboard position
    kSwitchPanel,        // hand the key to the visible switch panel
    kWindowKey,          // F1 check tape, F2 formula, F3 enlarged display, F4 log, F6 skins
    kClearTape,          // Shift+Delete with the check tape shown
    kScrollTape,         // Shift with Up, Down, Page Up, Page Down
    kMoveWindow,         // Ctrl+arrow: move the main window by (dx, dy)
    kCopy,               // copy the display to the clipboard
    kPaste,              // Ctrl+V, Shift+Insert: a number from the clipboard, as if keyed
    kToggleNavigation,   // Space: key navigation on or off
    kRefreshLog,         // F5: the log viewer reloads
    kCloseNewestWindow,  // F8
    kCloseMain,          // Esc
};

struct KeyModifiers {
    bool shift = false;
    bool ctrl = false;
    bool alt = false;
};

struct KeyState {
    bool minimized = false;
    bool switchPanelVisible = false;
    bool tapeShown = false;
};

struct KeyDecision {
    KeyCommand command = KeyCommand::kNone;
    int value = 0;  // key code for kExecute; virtual key for window keys and scrolling
    int dx = 0;
    int dy = 0;
    bool consumed = true;          // false: the key goes on to the focused control
    bool releaseCheckKey = false;  // F1 also draws the check-tape key released
    bool inputMethodOff = false;   // after a key looked up in the assignment table
};

using KeyCodeLookup = std::function<int(int virtualKey)>;

// The key-down handling of the main window. `typed` is the character the key produces on
// the user's keyboard layout (0 when none).
KeyDecision DecideKeyDown(int virtualKey, KeyModifiers modifiers, const KeyState& state,
                          const KeyCodeLookup& keyCodeOf, char32_t typed = 0);

// The code whose key picture a key-up draws released; 0 when none is drawn (the C key).
int ReleaseCodeOf(int virtualKey, bool shift, const KeyCodeLookup& keyCodeOf, char32_t typed = 0);

// The operator a typed character stands for, whatever key produced it: "+" 17, "-" 18,
// "*" 19, "/" 20, "=" 99 (equals), "%" 1 (percent); 0 for any other character. The key
// table cannot say this for every layout: its numbers name keys of the Japanese keyboard,
// where "=" is Shift+"-".
int TypedOperatorOf(char32_t typed);

// The key pictures keyboard keys drew pressed, by the physical key (its scan code) that
// pressed them: what a key types can change before it goes up (Shift let go first turns
// "*" into "8"), the picture it releases may not.
class HeldKeys {
  public:
    // `physicalKey` 0 (not known) remembers nothing. Returns the code the key held before
    // when it now stands for another (a held "*" repeating as "8" once Shift is let go):
    // that picture goes up; 0 otherwise.
    int Pressed(int physicalKey, int code);
    // The code the key drew pressed, now forgotten; 0 when it drew none.
    int Released(int physicalKey);

  private:
    std::map<int, int> held_;
};

// The key code of the keys whose meaning no assignment can change (numeric pad, Enter,
// Backspace); 0 for every other key.
int FixedKeyCodeOf(int virtualKey);

}  // namespace pemu::ui
