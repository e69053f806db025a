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

std::string RectText(const DisplayRect& r) {
    return std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) +
           "," + std::to_string(r.bottom);
}

}  // namespace

void RecordingDisplay::DrawNumber(std::string_view text) {
    number_ = std::string(text);
    calls_.push_back("number " + number_);
}

void RecordingDisplay::CopyMarkGlyph(int code) {
    calls_.push_back("copy " + std::to_string(code));
}

void RecordingDisplay::BlankMarkGlyph(int code) {
    calls_.push_back("blank " + std::to_string(code));
}

void RecordingDisplay::EraseMarkStrip(DisplayRect rect) {
    calls_.push_back("erase-strip " + RectText(rect));
}

void RecordingDisplay::ErasePanelCell(DisplayRect rect) {
    calls_.push_back("erase-panel " + RectText(rect));
}

void RecordingDisplay::SetLabel(DisplayLabel label, std::string_view text) {
    labels_[static_cast<int>(label)] = std::string(text);
    calls_.push_back(std::string("label ") + LabelName(label) + " " + std::string(text));
}

const std::string& RecordingDisplay::Label(DisplayLabel label) const {
    return labels_[static_cast<int>(label)];
}

}  // namespace pemu::core
