#include "tape/number_field.hpp"

#include <algorithm>

namespace pemu::tape {
namespace {

bool IsSign(char ch) {
    return ch == '+' || ch == '-';
}

}  // namespace

bool NumberFieldAccepts(std::string_view text, int digits) {
    int digitCount = 0;
    bool point = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch >= '0' && ch <= '9') {
            ++digitCount;
        } else if (ch == '.' && !point) {
            point = true;
        } else if (!(IsSign(ch) && i == 0)) {
            return false;
        }
    }
    return digitCount <= digits;
}

void NumberField::SetText(std::string_view text) {
    text_ = std::string(text);
    Select(0, text_.size());
}

void NumberField::Select(std::size_t start, std::size_t length) {
    selStart_ = std::min(start, text_.size());
    selLength_ = std::min(length, text_.size() - selStart_);
    caret_ = selStart_ + selLength_;
}

void NumberField::Replace(std::size_t start, std::size_t length, std::string_view with) {
    text_.replace(start, length, with);
    Select(start + with.size(), 0);
}

bool NumberField::Type(char ch) {
    if (!(ch >= '0' && ch <= '9') && ch != '.' && !IsSign(ch)) return false;
    const std::size_t start = selLength_ > 0 ? selStart_ : caret_;
    std::string candidate = text_;
    candidate.replace(start, selLength_, 1, ch);
    if (!NumberFieldAccepts(candidate, digits_)) return false;
    Replace(start, selLength_, std::string_view(&ch, 1));
    return true;
}

void NumberField::BackSpace() {
    if (selLength_ > 0) {
        Replace(selStart_, selLength_, "");
    } else if (caret_ > 0) {
        Replace(caret_ - 1, 1, "");
    }
}

void NumberField::Delete() {
    if (selLength_ > 0) {
        Replace(selStart_, selLength_, "");
    } else if (caret_ < text_.size()) {
        Replace(caret_, 1, "");
    }
}

void NumberField::MoveLeft() {
    Select(caret_ > 0 ? caret_ - 1 : 0, 0);
}

void NumberField::MoveRight() {
    Select(caret_ + 1, 0);
}

void NumberField::ToggleSign() {
    if (!text_.empty() && text_[0] == '-') {
        text_.erase(0, 1);
        Select(0, 0);
        return;
    }
    if (!text_.empty() && text_[0] == '+') text_.erase(0, 1);
    text_.insert(0, 1, '-');
    Select(1, 0);
}

}  // namespace pemu::tape
