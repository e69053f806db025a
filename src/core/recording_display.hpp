#pragma once
// A display that draws nothing and writes down every call, for tests and pemu-calc.
#include <string>
#include <string_view>
#include <vector>

#include "core/display_port.hpp"

namespace pemu::core {

class RecordingDisplay : public DisplayPort {
  public:
    void DrawNumber(std::string_view text) override;
    void CopyMarkGlyph(Mark mark) override;
    void BlankMarkGlyph(Mark mark) override;
    void EraseMarkStrip(StripRegion region) override;
    void ErasePanelMark(Mark mark) override;
    void SetLabel(DisplayLabel label, std::string_view text) override;

    // One entry per call, e.g. "number 12.5", "copy 17", "blank 99",
    // "erase-strip function-marks", "erase-panel 58", "label labAns 1,234".
    const std::vector<std::string>& Calls() const { return calls_; }
    void ClearCalls() { calls_.clear(); }
    // The last text drawn and the label texts as last set.
    const std::string& Number() const { return number_; }
    const std::string& Label(DisplayLabel label) const;

  private:
    std::vector<std::string> calls_;
    std::string number_;
    std::string labels_[4];
};

}  // namespace pemu::core
