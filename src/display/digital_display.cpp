#include "display/digital_display.hpp"

#include <cmath>
#include <cstdlib>
#include <string>

#include "display/image_ops.hpp"

namespace pemu::display {
namespace {

Rect ToRect(core::DisplayRect r, const QImage& whole) {
    if (r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0)
        return {0, 0, whole.width(), whole.height()};
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

// The glyph x of a character that has one in the digit strip, else -1.
int GlyphXOf(char c) {
    if (c >= '0' && c <= '9') return DigitGlyphX(c - '0');
    if (c == '-') return kMinusGlyphX;
    if (c == 'E') return kErrorGlyphX;
    if (c == ':') return kColonGlyphX;
    return -1;
}

// Cell d (1 = rightmost) of the digit panel.
constexpr int CellX(int d) {
    return 244 - 16 * d;
}
constexpr int kCellTop = 6;
constexpr int kPointTop = 25;
constexpr int kThousandsTop = 2;

}  // namespace

DigitalDisplay::DigitalDisplay(const Skin& skin, std::function<void(Changed)> changed)
    : skin_(skin) {
    if (changed) ownListener_ = listeners_.Add(std::move(changed));
    panel_ = QImage(kDigitPanelSize.width, kDigitPanelSize.height, QImage::Format_RGB32);
    panel_.fill(PanelBackground());
    marks_ = QImage(kMarkStripViewSize.width, kMarkStripViewSize.height, QImage::Format_RGB32);
    marks_.fill(StripBackground());
    syncMark_ = QImage(kSyncMarkSize.width, kSyncMarkSize.height, QImage::Format_RGB32);
    syncMark_.fill(PanelBackground());
    PrepareSyncMarks();
}

QRgb DigitalDisplay::PanelBackground() const {
    return PixelAt(skin_.DigitalNumber(), kDigitStripBackground);
}

QRgb DigitalDisplay::StripBackground() const {
    return PixelAt(skin_.DigitalMark(), kMarkStripBackground);
}

void DigitalDisplay::Notify(Changed what) const {
    listeners_.Notify(what);
}

void DigitalDisplay::DrawNumber(std::string_view text) {
    const QImage& strip = skin_.DigitalNumber();
    QImage panel(kDigitPanelSize.width, kDigitPanelSize.height, QImage::Format_RGB32);
    panel.fill(PanelBackground());
    int d = 1;
    int glyph = -1;  // an unknown first character shows an empty cell
    int fractionDigits = 0;
    for (auto it = text.rbegin(); it != text.rend(); ++it) {
        if (*it == '.') {
            CopyRect(panel, 240 - 16 * (d - 1), kPointTop, strip, kPointGlyphX, kGlyphTop,
                     kPointGlyphSize.width, kPointGlyphSize.height);
            fractionDigits = d - 1;
            continue;
        }
        if (const int x = GlyphXOf(*it); x >= 0) glyph = x;
        if (glyph >= 0)
            CopyRect(panel, CellX(d), kCellTop, strip, glyph, kGlyphTop, kDigitGlyphSize.width,
                     kDigitGlyphSize.height);
        ++d;
    }
    panel_ = std::move(panel);
    DrawThousandsMarks(text, fractionDigits);
    if (fractionDigits == 0)
        CopyRect(panel_, 240, kPointTop, strip, kPointGlyphX, kGlyphTop, kPointGlyphSize.width,
                 kPointGlyphSize.height);
    drawnText_ = std::string(text);
    // A new panel picture carries neither E nor K.
    shown_[kErrorPanelMark.code] = shown_[kConstantPanelMark.code] = false;
    Notify(Changed::kPanel);
}

void DigitalDisplay::DrawThousandsMarks(std::string_view text, int fractionDigits) {
    const std::string copy(text);
    const double value = std::fabs(std::strtod(copy.c_str(), nullptr));
    if (!std::isfinite(value)) return;
    // Past the panel's 15 cells a mark would fall outside the picture.
    double group = 1000.0;
    for (int l = 1; l <= kDigitCells / 3 + 1 && value >= group; ++l, group *= 1000.0)
        CopyRect(panel_, 240 - 16 * fractionDigits - 48 * l, kThousandsTop, skin_.DigitalNumber(),
                 kThousandsGlyphX, kGlyphTop, kThousandsGlyphSize.width,
                 kThousandsGlyphSize.height);
}

void DigitalDisplay::CopyMarkGlyph(int code) {
    if (const auto mark = StripMarkOf(code)) {
        CopyRect(marks_, mark->placeX, 0, skin_.DigitalMark(), mark->sourceX, kGlyphTop,
                 mark->width, kMarkHeight);
        // The glyph covers whichever mark stood at its place.
        HideStripMarks(mark->placeX, mark->placeX + mark->width);
        shown_[static_cast<std::size_t>(code)] = true;
        Notify(Changed::kMarks);
    } else if (const auto panelMark = PanelMarkOf(code)) {
        CopyRect(panel_, panelMark->place.x, panelMark->place.y, syncMark_, panelMark->sourceX, 0,
                 kMarkHeight, kMarkHeight);
        shown_[static_cast<std::size_t>(code)] = true;
        Notify(Changed::kPanel);
    }
}

void DigitalDisplay::BlankMarkGlyph(int code) {
    const auto mark = StripMarkOf(code);
    if (!mark) return;
    CopyRect(marks_, mark->placeX, 0, skin_.DigitalMark(), kBlankMarkX, kGlyphTop, mark->width,
             kMarkHeight);
    HideStripMarks(mark->placeX, mark->placeX + mark->width);
    Notify(Changed::kMarks);
}

void DigitalDisplay::EraseMarkStrip(core::DisplayRect rect) {
    const Rect area = ToRect(rect, marks_);
    FillRect(marks_, area, StripBackground());
    if (area.height > 0) HideStripMarks(area.x, area.x + area.width);
    Notify(Changed::kMarks);
}

void DigitalDisplay::ErasePanelCell(core::DisplayRect rect) {
    const Rect area = ToRect(rect, panel_);
    FillRect(panel_, area, PanelBackground());
    for (const PanelMark& mark : {kErrorPanelMark, kConstantPanelMark}) {
        const bool met = mark.place.x < area.x + area.width &&
                         area.x < mark.place.x + kMarkHeight &&
                         mark.place.y < area.y + area.height && area.y < mark.place.y + kMarkHeight;
        if (met) shown_[static_cast<std::size_t>(mark.code)] = false;
    }
    Notify(Changed::kPanel);
}

void DigitalDisplay::HideStripMarks(int left, int right) {
    const auto hide = [&](const StripMark& mark) {
        if (mark.placeX < right && left < mark.placeX + mark.width)
            shown_[static_cast<std::size_t>(mark.code)] = false;
    };
    for (const StripMark& mark : kStripMarks)
        hide(mark);
    hide(kRegisterOverflowMark);
}

std::vector<int> DigitalDisplay::ShownMarks() const {
    std::vector<int> marks;
    const auto add = [&](int code) {
        if (!shown_[static_cast<std::size_t>(code)]) return;
        const int as = code == 1 ? 99 : code;  // % lights the = glyph
        if (marks.empty() || marks.back() != as) marks.push_back(as);
    };
    for (const StripMark& mark : kStripMarks)
        add(mark.code);
    add(kRegisterOverflowMark.code);
    add(kErrorPanelMark.code);
    add(kConstantPanelMark.code);
    return marks;
}

void DigitalDisplay::SetLabel(core::DisplayLabel label, std::string_view cp932Text) {
    labels_[static_cast<std::size_t>(label)] = std::string(cp932Text);
    Notify(Changed::kLabel);
}

const std::string& DigitalDisplay::Label(core::DisplayLabel label) const {
    return labels_[static_cast<std::size_t>(label)];
}

void DigitalDisplay::PrepareSyncMark(int code) {
    const auto mark = PanelMarkOf(code);
    if (!mark) return;
    const int sourceX = code == kConstantPanelMark.code ? kConstantMarkX : kErrorMarkX;
    const QImage glyph = skin_.DigitalMark().copy(sourceX, kGlyphTop, kMarkHeight, kMarkHeight);
    QImage background(kMarkHeight, kMarkHeight, QImage::Format_RGB32);
    background.fill(PanelBackground());
    Overlay(glyph, background, StripBackground(), 0, 0, syncMark_, mark->sourceX, 0);
}

void DigitalDisplay::PrepareSyncMarks() {
    PrepareSyncMark(kConstantPanelMark.code);
    PrepareSyncMark(kErrorPanelMark.code);
}

}  // namespace pemu::display
