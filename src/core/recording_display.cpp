#include "core/recording_display.hpp"

#include <cstddef>

namespace pemu::core {
namespace {

// The names the calls are written with, in the order of each enum.
constexpr const char* kLabelNames[] = {"labAns", "labIpt", "labRs", "labDc"};
constexpr const char* kRegionNames[] = {"whole", "operator-marks", "function-marks"};

template <std::size_t N, typename Enum>
const char* NameOf(const char* const (&names)[N], Enum value) {
    const auto index = static_cast<std::size_t>(value);
    return index < N ? names[index] : "?";
}

}  // namespace

void RecordingDisplay::DrawNumber(std::string_view text) {
    number_ = std::string(text);
    calls_.push_back("number " + number_);
}

void RecordingDisplay::CopyMarkGlyph(Mark mark) {
    calls_.push_back("copy " + std::to_string(CodeOf(mark)));
}

void RecordingDisplay::BlankMarkGlyph(Mark mark) {
    calls_.push_back("blank " + std::to_string(CodeOf(mark)));
}

void RecordingDisplay::EraseMarkStrip(StripRegion region) {
    calls_.push_back(std::string("erase-strip ") + NameOf(kRegionNames, region));
}

void RecordingDisplay::ErasePanelMark(Mark mark) {
    calls_.push_back("erase-panel " + std::to_string(CodeOf(mark)));
}

void RecordingDisplay::SetLabel(DisplayLabel label, std::string_view text) {
    labels_[static_cast<int>(label)] = std::string(text);
    calls_.push_back(std::string("label ") + NameOf(kLabelNames, label) + " " + std::string(text));
}

const std::string& RecordingDisplay::Label(DisplayLabel label) const {
    return labels_[static_cast<int>(label)];
}

}  // namespace pemu::core
