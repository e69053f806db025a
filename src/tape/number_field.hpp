#pragma once
// The number field of the tape correction's input box, with its selection and caret, and
// the rules for what may be typed into it. The window shows Text() and forwards typed
// characters and the input buttons here.
#include <cstddef>
#include <string>
#include <string_view>

namespace pemu::tape {

// Whether text may stand in the number field: only "0"-"9", "." and a sign, the sign only
// in front and only one, one point at most, and at most digits digits (the display width).
bool NumberFieldAccepts(std::string_view text, int digits);

class NumberField {
  public:
    explicit NumberField(int digits = 14) : digits_(digits) {}

    // A new text, wholly selected (a change opens with the line's value selected).
    void SetText(std::string_view text);
    // Typed character or digit button: replaces the selection, or goes in at the caret.
    // False (and nothing changes) when the result would break the rules; any character but
    // the digits, the point and the signs is refused, backspace included.
    bool Type(char ch);
    // "BS": the selection, or the character before the caret.
    void BackSpace();
    // "DEL": the selection, or the character after the caret.
    void Delete();
    // "←" and "→".
    void MoveLeft();
    void MoveRight();
    // "+/-": a leading "-" goes (caret to 0), otherwise one comes in front (caret to 1); a
    // leading "+" becomes the "-".
    void ToggleSign();
    void Select(std::size_t start, std::size_t length);

    const std::string& Text() const { return text_; }
    std::size_t Caret() const { return caret_; }
    std::size_t SelectionStart() const { return selStart_; }
    std::size_t SelectionLength() const { return selLength_; }

  private:
    void Replace(std::size_t start, std::size_t length, std::string_view with);

    int digits_;
    std::string text_;
    std::size_t caret_ = 0;
    std::size_t selStart_ = 0;
    std::size_t selLength_ = 0;
};

}  // namespace pemu::tape
