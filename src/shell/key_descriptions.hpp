#pragma once
// What a key picture is called, for a screen reader and for its tooltip: the caption
// printed on the key, what the key does, and the keyboard keys that press it. Texts are
// CP932.
#include <string>
#include <string_view>
#include <vector>

#include "core/key_codes.hpp"
#include "shell/key_table.hpp"

namespace pemu::shell {

struct KeyDescription {
    std::string caption;   // as printed on the key: CE and C follow the key-logic family
    std::string function;  // what it does; empty where the caption says it (digits)
};

// The 32 keys of the face (codes 1 to 21 but 8, 27 to 37, 99); an empty description for
// any other code.
KeyDescription DescribeKey(int code, core::KeyFamily family);

// "税込、税込み金額": the caption, then what the key does; the caption alone for a digit.
std::string KeyAccessibleName(int code, core::KeyFamily family);

// The name in brackets of a key whose meaning no assignment changes: "[Enter]",
// "[BS]", "[テンキー5]"; empty for any other virtual key.
std::string FixedKeyName(int virtualKey);

// The tooltip of a key picture: its name, then on a second line "キー：" and the keyboard
// keys that press it, "、" between: the key the active key table gives it (a reassignment
// shows at once), the fixed keys `fixedKeys` (virtual keys) and each character of `typed`
// ("「+」"), a character that presses the key on any keyboard layout. "なし" when there
// is none.
std::string KeyToolTip(int code, core::KeyFamily family, const KeyTable& table,
                       const std::vector<int>& fixedKeys, std::string_view typed);

}  // namespace pemu::shell
