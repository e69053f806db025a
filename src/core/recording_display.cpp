#include "core/recording_display.hpp"

namespace pemu::core {
namespace {

const char* LabelName(DisplayLabel label) {
    switch (label) {
        case DisplayLabel::kLabAns:
            return "labAns";
        case DisplayLabel::kLabIpt:
            return "labIpt";
        case DisplayLabel::kLabRs:
            return "labRs";
        case DisplayLabel::kLabDc:
            return "labDc";
    }
    return "?";
}

const char* RegionName(StripRegion region) {
    switch (region) {
        case StripRegion::kWhole:
            return "whole";
        case StripRegion::kOperatorMarks:
            return "operator-marks";
        case StripRegion::kFunctionMarks:
            return "function-marks";
    }
    return "?";
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
    calls_.push_back(std::string("erase-strip ") + RegionName(region));
}

void RecordingDisplay::ErasePanelMark(Mark mark) {
    calls_.push_back("erase-panel " + std::to_string(CodeOf(mark)));
}

void RecordingDisplay::SetLabel(DisplayLabel label, std::string_view text) {
    labels_[static_cast<int>(label)] = std::string(text);
    calls_.push_back(std::string("label ") + LabelName(label) + " " + std::string(text));
}

const std::string& RecordingDisplay::Label(DisplayLabel label) const {
    return labels_[static_cast<int>(label)];
}

}  // namespace pemu::core
