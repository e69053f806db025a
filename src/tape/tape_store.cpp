#include "tape/tape_store.hpp"

#include <algorithm>

namespace pemu::tape {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

void LOG::AddLineText(std::string_view value, std::string_view label, std::string_view mark) {
    std::string line;
    line.reserve(value.size() + label.size() + mark.size() + kLineEnd.size());
    line.append(value).append(label).append(mark).append(kLineEnd);
    // A cut line still ends the way every line does, so the count stays true.
    if (line.size() > kLineMax) {
        line.resize(kLineMax - kLineEnd.size());
        line.append(kLineEnd);
    }
    tapeText_.append(line);
    ++lineCount_;
}

std::size_t LOG::LineStartFromEnd(int n) const {
    if (n < 1 || n > lineCount_ || tapeText_.size() < kLineEnd.size()) return std::string::npos;
    // Search back over n line ends; the line starts after the (n+1)-th, or at the front.
    std::size_t end = tapeText_.size() - kLineEnd.size();
    for (int i = 0; i < n; ++i) {
        if (end == 0) return i + 1 == n ? 0 : std::string::npos;
        const std::size_t found = tapeText_.rfind(kLineEnd, end - 1);
        if (found == std::string::npos) return i + 1 == n ? 0 : std::string::npos;
        if (i + 1 == n) return found + kLineEnd.size();
        end = found;
    }
    return std::string::npos;
}

void LOG::RemoveLastLines(int n) {
    if (n <= 0) return;
    if (n >= lineCount_) {
        ClearTapeText();
        return;
    }
    const std::size_t start = LineStartFromEnd(n);
    if (start == std::string::npos) {
        ClearTapeText();
        return;
    }
    tapeText_.erase(start);
    lineCount_ -= n;
}

void LOG::ReplaceTapeText(std::size_t start, std::size_t length, std::string_view text) {
    if (start > tapeText_.size()) return;
    tapeText_.replace(start, std::min(length, tapeText_.size() - start), text);
}

void LOG::EraseTapeText(std::size_t position, std::size_t length) {
    if (position < 1 || position > tapeText_.size()) return;
    tapeText_.erase(position - 1, length);
}

void LOG::InsertTapeText(std::string_view text, std::size_t position) {
    if (position < 1) position = 1;
    tapeText_.insert(std::min(position - 1, tapeText_.size()), text);
}

void LOG::ClearTapeText() {
    tapeText_.clear();
    lineCount_ = 0;
}

void LOG::KeepCleared(std::string_view text) {
    clearedText_.append(text);
}

char LOG::CharAt(std::size_t index) const {
    return index >= 1 && index <= tapeText_.size() ? tapeText_[index - 1] : '\0';
}

std::string_view LOG::LastLine() const {
    const std::size_t start = LineStartFromEnd(1);
    if (start == std::string::npos) return {};
    return std::string_view(tapeText_).substr(start, tapeText_.size() - kLineEnd.size() - start);
}

}  // namespace pemu::tape
