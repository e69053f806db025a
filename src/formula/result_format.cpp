// The result against the user's digit counts, and its grouped display form.
#include <string>
#include <string_view>

#include "formula/formula_evaluate.hpp"

namespace pemu::formula {

namespace {

struct GroupLayout {
    std::size_t width;      // characters in a full line
    std::size_t threshold;  // longer texts wrap
};

GroupLayout LayoutFor(int group) {
    switch (group) {
        case 2:
            return {30, 20};
        case 3:
            return {32, 24};
        case 4:
            return {30, 24};
        default:
            return {30, 25};
    }
}

}  // namespace

void CheckResultDigits(FormulaError& error, std::string& text, DigitLimits limits) {
    if (error.raised) return;
    const bool sign = !text.empty() && (text.front() == '-' || text.front() == '+');
    const std::size_t point = text.find('.');
    const std::size_t integerLength = point == std::string::npos ? text.size() : point;
    const std::size_t allowed = static_cast<std::size_t>(limits.intDigits) + (sign ? 1 : 0);
    if (integerLength > allowed) {
        RaiseFormulaError(error, text, MessageNumber::kIntegerDigits, 0);
        return;
    }
    if (point != std::string::npos) {
        const std::size_t keep = point + 1 + static_cast<std::size_t>(limits.fracDigits);
        if (text.size() > keep) text.resize(keep);
    }
}

std::string FormatGrouped(std::string_view text, int group) {
    if (group != 2 && group != 3 && group != 4 && group != 5) return std::string(text);
    if (text.empty() || text == "error") return std::string(text);
    const bool sign = text.front() == '-' || text.front() == '+';
    const bool point = text.find('.') != std::string_view::npos;
    const GroupLayout layout = LayoutFor(group);
    const std::size_t threshold = layout.threshold + (point ? 1 : 0) + (sign ? 1 : 0);
    const bool wraps = text.size() > threshold;
    const auto step = static_cast<std::size_t>(group);

    std::string out(1, sign ? text.front() : ' ');
    const std::string_view body = text.substr(sign ? 1 : 0);
    const std::size_t integerDigits = std::min(body.find('.'), body.size());
    std::size_t column = 1;
    if (integerDigits % step != 0) {
        // The first block is filled up from the left so that every line has the same grid.
        const std::size_t missing = step - integerDigits % step;
        column += missing;
        if (wraps) out.append(missing, ' ');
    }
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < body.size();) {
        out.push_back(body[i++]);
        ++column;
        if (column == layout.width) {
            if (i < body.size() && body[i] == '.') out.push_back(body[i++]);
            if (i < body.size()) {
                out += "\n ";
                lineStart = out.size() - 1;
                column = 1;
            }
        } else if (column % (step + 1) == 0) {
            // A separator slot: the point when it comes next, otherwise a blank.
            if (i < body.size() && body[i] == '.') {
                out.push_back(body[i++]);
            } else {
                out.push_back(' ');
            }
            ++column;
        }
    }
    if (wraps) {
        const std::size_t lineLength = out.size() - lineStart;
        if (lineLength < layout.width) out.append(layout.width - lineLength, ' ');
    } else if (out.size() > 1 && out.back() == ' ') {
        out.pop_back();
    }
    return out;
}

}  // namespace pemu::formula
