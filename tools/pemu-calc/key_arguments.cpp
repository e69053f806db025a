#include "key_arguments.hpp"

#include <charconv>
#include <map>
#include <string_view>

#include "arithmetic/decimal.hpp"

namespace pemu::calc {

using namespace pemu::core;

namespace {

bool ParseInt(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

// "--name value" or "--name=value": the value, or false when it is missing.
bool TakeValue(const std::vector<std::string>& args, std::size_t& i, std::string_view inlineValue,
               bool hasInline, std::string& value) {
    if (hasInline) {
        value = std::string(inlineValue);
        return true;
    }
    if (i + 1 >= args.size()) return false;
    value = args[++i];
    return true;
}

bool ParseRound(std::string_view v, int& round) {
    static const std::map<std::string_view, int> names = {{"F", kSelectorF},
                                                          {"CUT", StoredSelector(kRoundCut)},
                                                          {"UP", StoredSelector(kRoundUp)},
                                                          {"5/4", StoredSelector(kRoundHalfUp)}};
    const auto it = names.find(v);
    if (it == names.end()) return false;
    round = it->second;
    return true;
}

bool ParseDecimal(std::string_view v, int& decimal) {
    if (v == "F") {
        decimal = kSelectorF;
    } else if (v == "A") {
        decimal = StoredSelector(kDecimalAddMode);
    } else if (v.size() == 1 && v[0] >= '0' && v[0] <= '5') {
        decimal = v[0] - '0';
    } else {
        return false;
    }
    return true;
}

// One option at args[i]; "" when good, else the message.
std::string ParseOption(const std::vector<std::string>& args, std::size_t& i, KeyArguments& out) {
    KeySessionOptions& o = out.options;
    const std::string_view arg = args[i];
    const std::size_t eq = arg.find('=');
    const std::string_view name = arg.substr(0, eq);
    const bool hasInline = eq != std::string_view::npos;
    const std::string_view inlineValue = hasInline ? arg.substr(eq + 1) : std::string_view();
    StartupSettings& st = o.settings;
    const std::pair<std::string_view, bool*> flags[] = {
        {"--no-gt", &st.grandTotal},     {"--no-answer-check", &st.answerCK},
        {"--no-check", &st.kenzanCheck}, {"--date", &st.kenzanAutoDate},
        {"--tape", &out.tape},           {"--tape-csv", &out.tapeCsv},
    };
    for (const auto& [flag, field] : flags) {
        if (arg == flag) {
            // --date and the tape outputs turn something on, the others off.
            *field = flag == "--date" || flag.starts_with("--tape");
            return "";
        }
    }
    std::string value;
    const bool takesValue = name == "--family" || name == "--digits" || name == "--round" ||
                            name == "--decimal" || name == "--rate";
    if (!takesValue) return "unknown option '" + std::string(arg) + "'";
    if (!TakeValue(args, i, inlineValue, hasInline, value)) {
        return "option '" + std::string(name) + "' needs a value";
    }
    const std::string bad = "bad value '" + value + "' for option '" + std::string(name) + "'";
    if (name == "--family") {
        if (value != "sharp" && value != "casio") return bad + " (sharp or casio)";
        o.family = value == "casio" ? kMakerCasio : kMakerSharp;
    } else if (name == "--digits") {
        int digits = 0;
        if (!ParseInt(value, digits) || digits < 8 || digits > 14) return bad + " (8 to 14)";
        st.panelDigit = digits;
    } else if (name == "--round") {
        if (!ParseRound(value, st.roundSelecter)) return bad + " (F, CUT, UP or 5/4)";
    } else if (name == "--decimal") {
        if (!ParseDecimal(value, st.decimalSelecter)) return bad + " (F, 0 to 5 or A)";
    } else {
        if (!arith::IsNumberText(value) || value.size() >= kRegisterSize) {
            return bad + " (a decimal fraction such as 0.08)";
        }
        st.zeiritu = value;
    }
    return "";
}

}  // namespace

std::string ParseKeyArguments(const std::vector<std::string>& args, KeyArguments& out) {
    out = KeyArguments{};
    std::size_t i = 0;
    for (; i < args.size(); ++i) {
        if (args[i] == "--") {
            ++i;
            break;
        }
        // A lone "-" is the minus key; anything else starting with "--" is an option.
        if (args[i].rfind("--", 0) != 0) break;
        if (std::string message = ParseOption(args, i, out); !message.empty()) {
            return message;
        }
    }
    std::vector<int> codes;
    for (; i < args.size(); ++i) {
        if (IsPasteToken(args[i])) {
            // Any text: what it becomes is the paste's own answer.
        } else if (IsTapeEditToken(args[i])) {
            TapeEdit edit;
            if (const std::string why = ParseTapeEdit(args[i], edit); !why.empty()) {
                return "bad tape edit '" + args[i] + "': " + why;
            }
        } else if (!KeyCodesOfToken(args[i], codes)) {
            return "unknown key token '" + args[i] + "'";
        }
        out.tokens.push_back(args[i]);
    }
    return "";
}

std::string CheckTapeEditLines(const KeyArguments& arguments) {
    KeySession session(arguments.options);
    for (const std::string& token : arguments.tokens) {
        TapeEdit edit;
        if (IsTapeEditToken(token) && ParseTapeEdit(token, edit).empty() &&
            edit.kind != TapeEdit::Kind::kClear) {
            const int lines = session.View().NumberedLines();
            if (edit.line > lines) {
                return "tape edit '" + token + "' names line " + std::to_string(edit.line) +
                       ", the tape has " + std::to_string(lines) + " numbered lines there";
            }
        }
        session.Run(token);
    }
    return "";
}

}  // namespace pemu::calc
