#include "shell/key_table.hpp"

#include <array>
#include <string_view>

#include "platform/codec.hpp"
#include "shell/settings_keys.hpp"

namespace pemu::shell {
namespace {

struct KeyInfo {
    const char* ident;
    const char* dialogName;  // UTF-8; converted once when asked for
    int defaultVk;
};

// Index = key code 1..38.
constexpr std::array<KeyInfo, kKeySlots + 1> kKeys{{
    {"", "", 0},
    {"Per", "『％』", 19},
    {"CE", "『CE』", 38},
    {"MC", "『MC』", 120},
    {"MR", "『MR』", 121},
    {"MP", "『M+』", 123},
    {"MM", "『M-』", 122},
    {"C", "『C』", 40},
    {"C2", "『C』", 0},
    {"Root", "『√』", 82},
    {"Kenzan", "『検算』", 37},
    {"Zeikomi", "『税込』", 33},
    {"Zeinuki", "『税抜』", 34},
    {"BackS", "『→』", 39},
    {"PM", "『+/-』", 45},
    {"GT", "『GT』", 36},
    {"CA", "『CA』", 35},
    {"Plus", "『＋』", 187},
    {"Minus", "『－』", 189},
    {"Kakeru", "『×』", 186},
    {"Waru", "『÷』", 191},
    {"Canma", "『・』", 190},
    {"KBH", "", 0},
    {"KPN", "『ミニサイズ』", 219},
    {"KKP", "『拡大フォーム』", 192},
    {"BTN", "『ボタン表示』", 0},
    {"Sushiki", "『数式計算フォーム』", 226},
    {"1", "『1』", 49},
    {"2", "『2』", 50},
    {"3", "『3』", 51},
    {"4", "『4』", 52},
    {"5", "『5』", 53},
    {"6", "『6』", 54},
    {"7", "『7』", 55},
    {"8", "『8』", 56},
    {"9", "『9』", 57},
    {"0", "『0』", 48},
    {"00", "『00』", 0},
    {"CA2", "『CA2』", 0},
}};

struct NamedKey {
    int vk;
    const char* name;  // UTF-8
};

// Keys outside the letter, digit and F9..F12 ranges.
constexpr std::array kNamedKeys{
    NamedKey{8, ":[BS]"},          NamedKey{16, ":[Shift]"},      NamedKey{17, ":[Ctrl]"},
    NamedKey{18, ":[Alt]"},        NamedKey{19, "[Paus]"},        NamedKey{20, "[Caps]"},
    NamedKey{27, ":[ESC]"},        NamedKey{29, ":[無変換]"},     NamedKey{32, ":[SPC]"},
    NamedKey{33, "[PgUp]"},        NamedKey{34, "[PgDn]"},        NamedKey{35, "[End]"},
    NamedKey{36, "[Home]"},        NamedKey{37, "[←]"},           NamedKey{38, "[↑]"},
    NamedKey{39, "[→]"},           NamedKey{40, "[↓]"},           NamedKey{45, "[Ins]"},
    NamedKey{46, "[Del]"},         NamedKey{48, "[ 0]"},          NamedKey{49, "[!1]"},
    NamedKey{50, "[\"2]"},         NamedKey{51, "[#3]"},          NamedKey{52, "[$4]"},
    NamedKey{53, "[%5]"},          NamedKey{54, "[&6]"},          NamedKey{55, "['7]"},
    NamedKey{56, "[(8]"},          NamedKey{57, "[)9]"},          NamedKey{67, ":[C] "},
    NamedKey{91, ":[WinKey]"},     NamedKey{93, ":[Menu]"},       NamedKey{118, "[F7]"},
    NamedKey{119, ":[F8]"},        NamedKey{144, ":[NumLock]"},   NamedKey{145, ":[ScrLK]"},
    NamedKey{186, "[ : ]"},        NamedKey{187, "[ ; ]"},        NamedKey{188, "[ < ]"},
    NamedKey{189, "[ = ]"},        NamedKey{190, "[ > ]"},        NamedKey{191, "[ ? ]"},
    NamedKey{192, "[ @ ]"},        NamedKey{219, "[ { ]"},        NamedKey{220, "[ \\ ]"},
    NamedKey{221, "[ } ]"},        NamedKey{222, "[ ^ ]"},        NamedKey{226, "[ _ ]"},
    NamedKey{229, ":[変換]"},      NamedKey{240, ":[Caps]"},      NamedKey{242, ":[かな]"},
    NamedKey{243, ":[半角/全角]"}, NamedKey{244, ":[半角/全角]"},
};

bool IsCode(int code) {
    return code >= 1 && code <= kKeySlots;
}

// Slots 8 and 38 have no stored key of their own.
bool IsStored(int code) {
    return code != kSecondC && code != kSecondCA;
}

std::string UnnamedOrTable(int vk) {
    if (vk >= 65 && vk <= 90 && vk != 67) return std::string("[") + static_cast<char>(vk) + "]";
    if (vk >= 112 && vk <= 117) return ":[F" + std::to_string(vk - 111) + "]";
    if (vk >= 120 && vk <= 123) return "[F" + std::to_string(vk - 111) + "]";
    for (const NamedKey& key : kNamedKeys) {
        if (key.vk == vk) return platform::Sjis(key.name);
    }
    return {};
}

}  // namespace

const char* KeyIdent(int code) {
    return IsCode(code) ? kKeys[code].ident : "";
}

std::string KeyDialogName(int code) {
    return IsCode(code) ? platform::Sjis(kKeys[code].dialogName) : std::string();
}

int DefaultKeyOf(int code) {
    return IsCode(code) ? kKeys[code].defaultVk : 0;
}

std::string KeyName(int vk) {
    return UnnamedOrTable(vk);
}

bool IsAssignableKey(int vk) {
    std::string name = KeyName(vk);
    return !name.empty() && name.front() != ':';
}

std::string KeySetSection(int set) {
    return set > 1 ? "KeySet" + std::to_string(set) : std::string("KeySet");
}

int KeyTable::KeyOf(int code) const {
    return IsCode(code) ? slots_[code] : 0;
}

void KeyTable::SetKey(int code, int vk) {
    if (IsCode(code)) slots_[code] = vk;
}

int KeyTable::KeyCodeOf(int vk) const {
    if (vk == 0) return kNoKeyCode;
    for (int code = 1; code <= kKeySlots; ++code) {
        if (slots_[code] == vk) return code;
    }
    return kNoKeyCode;
}

int ReadKeySetType(const SettingsStore& store) {
    return Read(store, keys::kKeySetType);
}

void LoadKeyTable(KeyTable& table, SettingsStore& store) {
    table.Clear();
    const std::string section = KeySetSection(table.activeSet());
    for (int code = 1; code <= kKeySlots; ++code) {
        if (!IsStored(code)) continue;
        int vk = store.ReadInteger(section, kKeys[code].ident, -1);
        if (vk < 0) {
            vk = kKeys[code].defaultVk;
            store.WriteInteger(section, kKeys[code].ident, vk);
        }
        table.SetKey(code, vk);
    }
}

void AssignKey(KeyTable& table, SettingsStore& store, int code, int vk) {
    if (!IsCode(code)) return;
    table.SetKey(code, vk);
    store.WriteInteger(KeySetSection(table.activeSet()), kKeys[code].ident, vk);
}

void ResetKeyTable(KeyTable& table, SettingsStore& store) {
    for (int code = 1; code <= kKeySlots; ++code)
        AssignKey(table, store, code, DefaultKeyOf(code));
}

void SwitchKeySet(KeyTable& table, SettingsStore& store, int set) {
    table.SetActiveSet(set);
    LoadKeyTable(table, store);
    Write(store, keys::kKeySetType, set);
}

}  // namespace pemu::shell
