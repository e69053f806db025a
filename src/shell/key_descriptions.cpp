#include "shell/key_descriptions.hpp"

#include "platform/codec.hpp"

namespace pemu::shell {
namespace {

struct KeyWords {
    int code;
    const char* caption;  // UTF-8, as on the key
    const char* function;
};

constexpr KeyWords kKeyWords[] = {
    {1, "%", "パーセント"},
    {2, "CE", "入力した数値の取り消し"},
    {3, "MC", "メモリークリア"},
    {4, "MR", "メモリー呼び出し"},
    {5, "M+", "メモリーに足す"},
    {6, "M−", "メモリーから引く"},
    {7, "C", "計算のクリア"},
    {9, "√", "平方根"},
    {10, "検算", "検算テープの表示"},
    {11, "税込", "税込み金額"},
    {12, "税抜", "税抜き金額"},
    {13, "→", "1桁消す"},
    {14, "+/-", "符号の切り替え"},
    {15, "GT", "グランドトータル"},
    {16, "CA", "メモリーも含めすべてクリア"},
    {17, "+", "足す"},
    {18, "−", "引く"},
    {19, "×", "掛ける"},
    {20, "÷", "割る"},
    {21, "・", "小数点"},
    {27, "1", ""},
    {28, "2", ""},
    {29, "3", ""},
    {30, "4", ""},
    {31, "5", ""},
    {32, "6", ""},
    {33, "7", ""},
    {34, "8", ""},
    {35, "9", ""},
    {36, "0", ""},
    {37, "00", ""},
    {99, "=", "イコール"},
};

// The "CASIO" family's C and AC keys sit where "SHARP" has CE and C.
constexpr KeyWords kCasioClearKeys[] = {
    {2, "C", "入力した数値の取り消し"},
    {7, "AC", "計算とGTのクリア"},
};

const KeyWords* WordsOf(int code, core::KeyFamily family) {
    if (family == core::kMakerCasio) {
        for (const KeyWords& w : kCasioClearKeys) {
            if (w.code == code) return &w;
        }
    }
    for (const KeyWords& w : kKeyWords) {
        if (w.code == code) return &w;
    }
    return nullptr;
}

// The key table's name of a virtual key without the mark of a key that cannot be
// assigned (a stored table may still hold one).
std::string AssignedKeyName(int vk) {
    std::string name = KeyName(vk);
    if (!name.empty() && name.front() == ':') name.erase(0, 1);
    while (!name.empty() && name.back() == ' ')
        name.pop_back();
    return name;
}

}  // namespace

KeyDescription DescribeKey(int code, core::KeyFamily family) {
    const KeyWords* words = WordsOf(code, family);
    if (!words) return {};
    return {platform::Sjis(words->caption), platform::Sjis(words->function)};
}

std::string KeyAccessibleName(int code, core::KeyFamily family) {
    const KeyDescription d = DescribeKey(code, family);
    if (d.function.empty()) return d.caption;
    return d.caption + platform::Sjis("、") + d.function;
}

std::string FixedKeyName(int virtualKey) {
    constexpr int kBack = 8, kReturn = 13, kNumpad0 = 96, kNumpad9 = 105;
    if (virtualKey >= kNumpad0 && virtualKey <= kNumpad9)
        return platform::Sjis("[テンキー") + std::to_string(virtualKey - kNumpad0) + "]";
    switch (virtualKey) {
        case kBack:
            return "[BS]";
        case kReturn:
            return "[Enter]";
        case 106:
            return platform::Sjis("[テンキー*]");
        case 107:
            return platform::Sjis("[テンキー+]");
        case 109:
            return platform::Sjis("[テンキー-]");
        case 110:
            return platform::Sjis("[テンキー.]");
        case 111:
            return platform::Sjis("[テンキー/]");
        default:
            return {};
    }
}

std::string KeyToolTip(int code, core::KeyFamily family, const KeyTable& table,
                       const std::vector<int>& fixedKeys, std::string_view typed) {
    std::vector<std::string> keys;
    if (const int vk = table.KeyOf(code); vk != 0) {
        if (std::string name = AssignedKeyName(vk); !name.empty()) keys.push_back(name);
    }
    for (int vk : fixedKeys) {
        if (std::string name = FixedKeyName(vk); !name.empty()) keys.push_back(name);
    }
    for (char c : typed)
        keys.push_back(platform::Sjis("「") + c + platform::Sjis("」"));
    std::string list;
    for (const std::string& key : keys) {
        if (!list.empty()) list += platform::Sjis("、");
        list += key;
    }
    if (list.empty()) list = platform::Sjis("なし");
    return KeyAccessibleName(code, family) + "\n" + platform::Sjis("キー：") + list;
}

}  // namespace pemu::shell
