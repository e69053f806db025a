#pragma once
// What the engine asks of the digital display, one call per copy, in the order the engine
// makes them: the pixels depend on that order (an erased region can hide a glyph whose
// flag stays on). The engine owns the registers and the mark flags; an implementation only
// draws. Texts are CP932 bytes.
#include <string_view>

#include "core/key_codes.hpp"

namespace pemu::core {

// Parts of the mark strip the engine erases in one go; the display knows where they lie.
enum class StripRegion {
    kWhole,
    kOperatorMarks,  // + - x /
    kFunctionMarks,  // from the grand total recall to the overflow marks
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
    // marks E and K from the prepared panel copies. Only marks with a place.
    virtual void CopyMarkGlyph(Mark mark) = 0;
    // A strip mark switched off: the blank glyph copied over the mark's place and width.
    virtual void BlankMarkGlyph(Mark mark) = 0;
    // A region of the mark strip filled with the strip background.
    virtual void EraseMarkStrip(StripRegion region) = 0;
    // A panel mark (E, K) switched off: its cell filled with the panel background.
    virtual void ErasePanelMark(Mark mark) = 0;
    virtual void SetLabel(DisplayLabel label, std::string_view text) = 0;
};

}  // namespace pemu::core
