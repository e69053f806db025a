#pragma once
// What the engine asks of the digital display, one call per copy, in the order the engine
// makes them: the pixels depend on that order (an erased region can hide a glyph whose
// flag stays on). The engine owns the registers and the mark flags; an implementation only
// draws. Texts are CP932 bytes.
#include <string_view>

namespace pemu::core {

// A rectangle of the mark strip or the digit panel, in pixels; right and bottom are
// exclusive. All zero means the whole image.
struct DisplayRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// The four labels beside the display.
enum class DisplayLabel {
    kLabAns,  // the answer register, with thousands separators
    kLabIpt,  // the last operand, with thousands separators
    kLabRs,   // short name of the round selector
    kLabDc,   // short name of the decimal selector
};

class DisplayPort {
  public:
    virtual ~DisplayPort() = default;

    // The whole digit panel drawn anew with text (the panel marks E and K are gone after
    // it). The text is drawn as given; the engine stores it as displayValue.
    virtual void DrawNumber(std::string_view text) = 0;
    // The glyph of a mark copied to its place: strip marks from the mark strip, the panel
    // marks 58 (E) and 59 (K) from the prepared panel copies. Only codes with a place.
    virtual void CopyMarkGlyph(int code) = 0;
    // A strip mark switched off: the blank glyph copied over the mark's place and width.
    virtual void BlankMarkGlyph(int code) = 0;
    // A region of the mark strip filled with the strip background.
    virtual void EraseMarkStrip(DisplayRect rect) = 0;
    // A region of the digit panel filled with the panel background (a panel mark off).
    virtual void ErasePanelCell(DisplayRect rect) = 0;
    virtual void SetLabel(DisplayLabel label, std::string_view text) = 0;
};

}  // namespace pemu::core
