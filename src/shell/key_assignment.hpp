#pragma once
// What the key assignment dialog decides, without the window: the order its labels are
// walked in, what a key pressed in input mode does, the texts it reports, the key captions
// with their colours and the help text. Texts are CP932.
#include <array>
#include <string>
#include <vector>

#include "core/key_codes.hpp"
#include "shell/key_table.hpp"
#include "shell/settings_store.hpp"

namespace pemu::shell {

// The 35 key labels in the order Tab and the arrows walk them.
inline constexpr std::array<int, 35> kKeyDialogOrder{15, 10, 11, 12, 3,  4,  6,  5,  16, 9,  1,  20,
                                                     19, 18, 13, 33, 34, 35, 14, 30, 31, 32, 17, 2,
                                                     27, 28, 29, 7,  36, 37, 21, 26, 24, 23, 25};

// The label after (forward: Right, Down) or before `current`, wrapping at both ends; with
// none selected (0), forward gives the first and backward the last.
int NextKeyLabel(int current, bool forward);

enum class CaptureAction {
    kIgnore,       // the key already assigned to this code
    kRefuse,       // a key that cannot be assigned: `message` in an OK box
    kClear,        // Space: the code is cleared
    kAskConflict,  // another code holds the key: `message` is the question, `otherCode` it
    kAssign,
};

struct CaptureDecision {
    CaptureAction action = CaptureAction::kIgnore;
    int otherCode = 0;
    std::string message;  // lines separated by CR LF
};

// A key (virtual-key number) pressed in input mode for `code`.
CaptureDecision DecideCapture(const KeyTable& table, int code, int vk);

// Assigns `vk` to `code` (0 clears it); `clearOther`, when not 0, is emptied first. Both are
// written into the active set's section at once. Returns the report for the message area.
std::string ApplyCapture(KeyTable& table, SettingsStore& store, int code, int vk, int clearOther);

// The set buttons and "初期値を読込(&L)": the table changes, the settings are written, and
// the message area's text is returned.
std::string ApplyKeySet(KeyTable& table, SettingsStore& store, int set);
std::string ResetKeySet(KeyTable& table, SettingsStore& store);

// At creation: [KeySet] "KeySetType" outside 1..3 becomes 1 and is written back; the active
// set is loaded. Returns the set number.
int OpenKeySet(KeyTable& table, SettingsStore& store);

// Message area texts.
std::string KeyDialogIntroText();
std::string KeyDialogInputText();
// The help text beside the keys, one entry a line.
std::vector<std::string> KeyDialogHelpLines();

struct Rgb {
    int r = 0;
    int g = 0;
    int b = 0;
    bool operator==(const Rgb&) const = default;
};

// A key's caption in the dialog: CE and C follow the key-logic family (" CE" and " C" for
// "SHARP", " C" and " AC" for "CASIO"); `coloured` is false for keys drawn in the window's
// own colours.
struct KeyCaption {
    std::string text;
    Rgb colour;
    bool coloured = false;
};
KeyCaption KeyCaptionOf(int code, core::KeyFamily family);

}  // namespace pemu::shell
