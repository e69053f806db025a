#include "arithmetic/text_lines.hpp"

namespace pemu::arith {

std::size_t AfterLineEnd(std::string_view text, std::size_t from) {
    const std::size_t end = text.find_first_of("\r\n", from);
    if (end == std::string_view::npos) return end;
    const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    return end + (crLf ? 2 : 1);
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = AfterLineEnd(text, end);
    }
    return lines;
}

}  // namespace pemu::arith
