#include "formula/formula_display.hpp"

#include <algorithm>
#include <string>

#include "arithmetic/text.hpp"
#include "platform/codec.hpp"

namespace pemu::formula {

namespace {

constexpr std::string_view kLineBreak = "\r\n";

// Bytes of the character at i: 2 for a lead byte with a byte after it.
std::size_t CharLength(std::string_view s, std::size_t i) {
    return arith::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size() ? 2 : 1;
}

// The last character boundary at or before byte `at`.
std::size_t BoundaryBefore(std::string_view s, std::size_t at) {
    std::size_t i = 0;
    while (i < at) {
        const std::size_t next = i + CharLength(s, i);
        if (next > at) break;
        i = next;
    }
    return i;
}

}  // namespace

const std::string& OutcomeLabel() {
    static const std::string label = platform::Sjis("計算式：");
    return label;
}

const std::string& OutcomeLabel(bool ok) {
    static const std::string accepted = platform::Sjis("計算式： OK");
    static const std::string refused = platform::Sjis("計算式： NG");
    return ok ? accepted : refused;
}

int WrapWidthOf(int clientWidth, int digitWidth) {
    if (digitWidth <= 0) return 2;
    return std::max(2, clientWidth / digitWidth - 1);
}

std::string WrapText(std::string_view cp932, int width) {
    const std::size_t limit = static_cast<std::size_t>(std::max(width, 2));
    std::string out;
    out.reserve(cp932.size() + 2 * (cp932.size() / limit + 1));
    std::size_t column = 0;
    for (std::size_t i = 0; i < cp932.size();) {
        const char ch = cp932[i];
        if (ch == '\r' || ch == '\n') {
            out += kLineBreak;
            column = 0;
            i += ch == '\r' && i + 1 < cp932.size() && cp932[i + 1] == '\n' ? 2 : 1;
            continue;
        }
        const std::size_t length = CharLength(cp932, i);
        if (column + length > limit) {
            out += kLineBreak;
            column = 0;
        }
        out.append(cp932.substr(i, length));
        column += length;
        i += length;
    }
    return out;
}

std::string MarkErrorPosition(std::string_view formula, int position) {
    if (position <= 0) return std::string(formula);
    static const std::string kCharacterNth = platform::Sjis("文字目>> ");
    std::string marked(formula);
    const std::size_t at =
        BoundaryBefore(marked, std::min(static_cast<std::size_t>(position - 1), marked.size()));
    marked.insert(at, "<?>");
    return ">>" + std::to_string(position) + kCharacterNth + marked;
}

std::string WithCrLf(std::string_view text) {
    std::string out;
    out.reserve(text.size() + 8);
    for (char ch : text) {
        if (ch == '\n') out += '\r';
        out += ch;
    }
    return out;
}

std::string AnswerText(std::string_view lastAnswer, int group, int width) {
    if (group == 0) return WrapText(lastAnswer, width);
    return WithCrLf(FormatGrouped(lastAnswer, group));
}

OutcomeView ViewOfOutcome(const FormulaOutcome& outcome) {
    OutcomeView view;
    view.ok = outcome.ok;
    if (outcome.ok) {
        view.paragraphs.push_back(outcome.normalised);
        view.lastAnswer = arith::CutWholeChars(outcome.result, kLastAnswerMax);
        return view;
    }
    const std::string& message = FormulaMessage(outcome.error.code);
    if (!message.empty()) {
        view.paragraphs.push_back(message);
        view.paragraphs.push_back(MarkErrorPosition(outcome.normalised, outcome.error.position));
    }
    view.lastAnswer = "error";
    return view;
}

std::string MessageText(const std::vector<std::string>& paragraphs, int width) {
    std::string out;
    for (std::size_t i = 0; i < paragraphs.size(); ++i) {
        if (i > 0) out += kLineBreak;
        out += WrapText(paragraphs[i], width);
    }
    return out;
}

}  // namespace pemu::formula
