#include "shell/key_assignment.hpp"

#include <algorithm>

#include "platform/codec.hpp"
#include "platform/virtual_keys.hpp"
#include "shell/settings_keys.hpp"

namespace pemu::shell {
namespace {

using platform::Sjis;

constexpr Rgb kTaxColour{255, 101, 0};
constexpr Rgb kMemoryColour{156, 159, 255};
constexpr Rgb kOperatorColour{239, 239, 239};
constexpr Rgb kClearColour{255, 48, 99};
constexpr Rgb kFunctionColour{99, 101, 99};

struct CaptionEntry {
    int code;
    const char* text;  // UTF-8
    Rgb colour;
    bool coloured;
};

constexpr CaptionEntry kCaptions[] = {
    {15, "GT", kFunctionColour, true},
    {10, "検算", kFunctionColour, true},
    {11, "税込", kTaxColour, true},
    {12, "税抜", kTaxColour, true},
    {3, "MC", kMemoryColour, true},
    {4, "MR", kMemoryColour, true},
    {6, "M-", kMemoryColour, true},
    {5, "M+", kMemoryColour, true},
    {16, "CA", kFunctionColour, true},
    {9, "√", kFunctionColour, true},
    {1, "%", kOperatorColour, true},
    {20, "÷", kOperatorColour, true},
    {19, "×", kOperatorColour, true},
    {18, "－", kOperatorColour, true},
    {13, "→", kFunctionColour, true},
    {14, "+/-", kFunctionColour, true},
    {17, "＋", kOperatorColour, true},
    {2, " CE", kOperatorColour, true},
    {7, " C", kClearColour, true},
    {99, "＝", kFunctionColour, true},
    {33, "7", {}, false},
    {34, "8", {}, false},
    {35, "9", {}, false},
    {30, "4", {}, false},
    {31, "5", {}, false},
    {32, "6", {}, false},
    {27, "1", {}, false},
    {28, "2", {}, false},
    {29, "3", {}, false},
    {36, "0", {}, false},
    {37, "00", {}, false},
    {21, "・", {}, false},
    {26, "数式計算フォーム", {}, false},
    {24, "拡大フォーム", {}, false},
    {23, "ミニサイズ", {}, false},
    {25, "ボタン表示", {}, false},
};

// The key's name as the messages quote it: "[F9]" of ":[F9]".
std::string QuotedName(int vk) {
    std::string name = KeyName(vk);
    if (!name.empty() && name.front() == ':') name.erase(0, 1);
    return name;
}

std::string SetNumberText(const char* prefix, int set, const char* rest) {
    return Sjis(prefix) + std::to_string(set) + Sjis(rest);
}

}  // namespace

int NextKeyLabel(int current, bool forward) {
    const auto size = static_cast<int>(kKeyDialogOrder.size());
    const auto at = std::find(kKeyDialogOrder.begin(), kKeyDialogOrder.end(), current);
    if (at == kKeyDialogOrder.end())
        return forward ? kKeyDialogOrder.front() : kKeyDialogOrder.back();
    const int index = static_cast<int>(at - kKeyDialogOrder.begin());
    return kKeyDialogOrder[(index + (forward ? 1 : size - 1)) % size];
}

CaptureDecision DecideCapture(const KeyTable& table, int code, int vk) {
    CaptureDecision d;
    if (vk == table.KeyOf(code)) return d;
    const std::string name = KeyName(vk);
    if (name.empty()) {
        d.action = CaptureAction::kRefuse;
        d.message = Sjis("!!! 登録不可キーです !!! [テンキー]");
        return d;
    }
    if (vk == platform::vk::kSpace) {
        d.action = CaptureAction::kClear;
        return d;
    }
    if (name.front() == ':') {
        d.action = CaptureAction::kRefuse;
        d.message = Sjis("!!! 登録不可キーです !!! ") + QuotedName(vk) + Sjis("キー");
        return d;
    }
    const int other = table.KeyCodeOf(vk);
    if (other != kNoKeyCode && other != code) {
        d.action = CaptureAction::kAskConflict;
        d.otherCode = other;
        d.message = name + Sjis("キーは、") + KeyDialogName(other) +
                    Sjis("ボタンの設定と重複しています。\r\n") + KeyDialogName(other) +
                    Sjis("ボタンの設定をクリアしますか？");
        return d;
    }
    d.action = CaptureAction::kAssign;
    return d;
}

std::string ApplyCapture(KeyTable& table, SettingsStore& store, int code, int vk, int clearOther) {
    std::string report;
    const std::string cleared = Sjis(" ボタン:  設定クリア。");
    if (clearOther != 0) {
        AssignKey(table, store, clearOther, 0);
        report = KeyDialogName(clearOther) + cleared + "\r\n";
    }
    AssignKey(table, store, code, vk);
    if (vk == 0) return report + KeyDialogName(code) + cleared;
    return report + KeyDialogName(code) + Sjis(" ボタン:  ") + KeyName(vk) + Sjis("キー に変更。");
}

std::string ApplyKeySet(KeyTable& table, SettingsStore& store, int set) {
    SwitchKeySet(table, store, set);
    return SetNumberText("セット", set, " のキー設定を適用しました。");
}

std::string ResetKeySet(KeyTable& table, SettingsStore& store) {
    ResetKeyTable(table, store);
    return SetNumberText("セット", table.activeSet(), " のキー設定を初期値に戻しました。");
}

int OpenKeySet(KeyTable& table, SettingsStore& store) {
    int set = ReadKeySetType(store);
    if (set < 1 || set > 3) {
        set = 1;
        Write(store, keys::kKeySetType, set);
    }
    table.SetActiveSet(set);
    LoadKeyTable(table, store);
    return set;
}

std::string KeyDialogIntroText() {
    return Sjis("エンターキー or ダブルクリックで 入力可能になります。");
}

std::string KeyDialogInputText() {
    return Sjis("キーを入力してください。\r\n※[Space]キーで設定のクリア");
}

std::vector<std::string> KeyDialogHelpLines() {
    // The operators typed as characters are fixed too: they follow the printed key on any
    // keyboard layout, so "=" typed on a US keyboard is never taken for the minus key.
    static const char* const kLines[] = {
        "セット済：",
        "[F1]～[F8]",
        "[テンキー]",
        "[Space]",
        "[C]",
        "[BS]",
        "登録不可：",
        "[Esc]",
        "[Caps]",
        "[Shift]",
        "[Ctrl]",
        "[WinKey]",
        "[Alt]",
        "[無変換]",
        "[変換]",
        "[かな]",
        "[Menu]",
        "[ScrLocK]",
        "[NumLock]",
        "[半角/全角]",
        "[Tab]",
        "文字で決まるキー：",
        "[+][-][*][/]",
        "[=][%]",
        "(Shift 併用も)",
    };
    std::vector<std::string> lines;
    for (const char* line : kLines)
        lines.push_back(Sjis(line));
    return lines;
}

KeyCaption KeyCaptionOf(int code, core::KeyFamily family) {
    for (const CaptionEntry& entry : kCaptions) {
        if (entry.code != code) continue;
        KeyCaption caption{Sjis(entry.text), entry.colour, entry.coloured};
        if (family == core::kMakerCasio && code == 2) caption.text = " C";
        if (family == core::kMakerCasio && code == 7) caption.text = " AC";
        return caption;
    }
    return {};
}

}  // namespace pemu::shell
