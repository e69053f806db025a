// Full-width to half-width forms of CP932 text, from a fixed table (no locale).
#include <map>
#include <string>

#include "arithmetic/text.hpp"
#include "platform/codec.hpp"

namespace pemu::arith {

namespace {

struct WidthPair {
    const char* full;
    const char* half;
};

// Katakana and their marks; the full-width ASCII range is added by code point below.
constexpr WidthPair kKana[] = {
    {"。", "｡"},  {"「", "｢"},  {"」", "｣"},  {"、", "､"},  {"・", "･"},  {"ヲ", "ｦ"},
    {"ァ", "ｧ"},  {"ィ", "ｨ"},  {"ゥ", "ｩ"},  {"ェ", "ｪ"},  {"ォ", "ｫ"},  {"ャ", "ｬ"},
    {"ュ", "ｭ"},  {"ョ", "ｮ"},  {"ッ", "ｯ"},  {"ー", "ｰ"},  {"ア", "ｱ"},  {"イ", "ｲ"},
    {"ウ", "ｳ"},  {"エ", "ｴ"},  {"オ", "ｵ"},  {"カ", "ｶ"},  {"キ", "ｷ"},  {"ク", "ｸ"},
    {"ケ", "ｹ"},  {"コ", "ｺ"},  {"サ", "ｻ"},  {"シ", "ｼ"},  {"ス", "ｽ"},  {"セ", "ｾ"},
    {"ソ", "ｿ"},  {"タ", "ﾀ"},  {"チ", "ﾁ"},  {"ツ", "ﾂ"},  {"テ", "ﾃ"},  {"ト", "ﾄ"},
    {"ナ", "ﾅ"},  {"ニ", "ﾆ"},  {"ヌ", "ﾇ"},  {"ネ", "ﾈ"},  {"ノ", "ﾉ"},  {"ハ", "ﾊ"},
    {"ヒ", "ﾋ"},  {"フ", "ﾌ"},  {"ヘ", "ﾍ"},  {"ホ", "ﾎ"},  {"マ", "ﾏ"},  {"ミ", "ﾐ"},
    {"ム", "ﾑ"},  {"メ", "ﾒ"},  {"モ", "ﾓ"},  {"ヤ", "ﾔ"},  {"ユ", "ﾕ"},  {"ヨ", "ﾖ"},
    {"ラ", "ﾗ"},  {"リ", "ﾘ"},  {"ル", "ﾙ"},  {"レ", "ﾚ"},  {"ロ", "ﾛ"},  {"ワ", "ﾜ"},
    {"ン", "ﾝ"},  {"゛", "ﾞ"},  {"゜", "ﾟ"},  {"ガ", "ｶﾞ"}, {"ギ", "ｷﾞ"}, {"グ", "ｸﾞ"},
    {"ゲ", "ｹﾞ"}, {"ゴ", "ｺﾞ"}, {"ザ", "ｻﾞ"}, {"ジ", "ｼﾞ"}, {"ズ", "ｽﾞ"}, {"ゼ", "ｾﾞ"},
    {"ゾ", "ｿﾞ"}, {"ダ", "ﾀﾞ"}, {"ヂ", "ﾁﾞ"}, {"ヅ", "ﾂﾞ"}, {"デ", "ﾃﾞ"}, {"ド", "ﾄﾞ"},
    {"バ", "ﾊﾞ"}, {"ビ", "ﾋﾞ"}, {"ブ", "ﾌﾞ"}, {"ベ", "ﾍﾞ"}, {"ボ", "ﾎﾞ"}, {"パ", "ﾊﾟ"},
    {"ピ", "ﾋﾟ"}, {"プ", "ﾌﾟ"}, {"ペ", "ﾍﾟ"}, {"ポ", "ﾎﾟ"}, {"ヴ", "ｳﾞ"}, {"　", " "},
    {"￥", "\\"},
};

std::string Utf8Of(char32_t code) {
    std::string out;
    out += static_cast<char>(0xE0 | (code >> 12));
    out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (code & 0x3F));
    return out;
}

// Double-byte CP932 character -> its half-width bytes.
const std::map<std::string, std::string>& HalfWidthTable() {
    static const std::map<std::string, std::string> table = [] {
        std::map<std::string, std::string> t;
        for (char ascii = '!'; ascii <= '~'; ++ascii) {
            const char32_t full = 0xFF01 + static_cast<char32_t>(ascii - '!');
            const std::string key = platform::Sjis(Utf8Of(full));
            if (key.size() == 2) t.emplace(key, std::string(1, ascii));
        }
        for (const WidthPair& pair : kKana) {
            const std::string key = platform::Sjis(pair.full);
            if (key.size() == 2) t.emplace(key, platform::Sjis(pair.half));
        }
        return t;
    }();
    return table;
}

}  // namespace

void ToHalfWidth3(std::string& s) {
    const std::size_t window = s.size() < 3 ? s.size() : 3;
    std::string mapped;
    std::size_t i = 0;
    while (i < window) {
        if (IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < window) {
            const std::string key = s.substr(i, 2);
            const auto found = HalfWidthTable().find(key);
            mapped += found != HalfWidthTable().end() ? found->second : key;
            i += 2;
        } else {
            mapped += s[i++];
        }
    }
    s = mapped + s.substr(window);
}

}  // namespace pemu::arith
