#pragma once
// The liquid-crystal display of the main window: the digit panel (picDgPnl, 245 x 30) and
// the mark strip (picDgMark, 245 x 10), drawn by rectangle copies out of the skin's digit
// and mark strips, and the four label texts beside them. The engine draws through the
// DisplayPort calls; every view that shows it (the face, the enlarged display) paints
// DigitPanel(), MarkStrip() and the labels, told by its listener what changed.
#include <QImage>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/display_port.hpp"
#include "display/skin.hpp"
#include "display/skin_layout.hpp"
#include "platform/listener_list.hpp"

namespace pemu::display {

class DigitalDisplay : public core::DisplayPort {
  public:
    enum class Changed { kPanel, kMarks, kLabel };

    using Listeners = platform::ListenerList<Changed>;

    // Starts with both pictures in their background colours and the sync marks prepared;
    // `changed`, when given, listens for as long as the display lives.
    explicit DigitalDisplay(const Skin& skin, std::function<void(Changed)> changed = {});

    // Draws `text` right-aligned in the 15 cells (digits, "-", "E", ":"; the point at the
    // lower right of the cell left of it, and after the last digit of an integer; thousands
    // marks over the integer part). The panel marks are gone afterwards.
    void DrawNumber(std::string_view text) override;
    // The glyph of a strip mark, or of the E (58) / K (59) panel mark from the sync marks.
    // Codes without a place draw nothing.
    void CopyMarkGlyph(int code) override;
    // The blank glyph over a strip mark's place.
    void BlankMarkGlyph(int code) override;
    // Fills a region (all zero: the whole picture) with the strip / panel background.
    void EraseMarkStrip(core::DisplayRect rect) override;
    void ErasePanelCell(core::DisplayRect rect) override;
    void SetLabel(core::DisplayLabel label, std::string_view cp932Text) override;

    // Builds the K (59) or E (58) half of the sync mark picture: the mark strip glyph laid over
    // the panel background, the strip background being transparent.
    void PrepareSyncMark(int code);
    // Both halves, after every skin load and at first show.
    void PrepareSyncMarks();

    const std::string& Label(core::DisplayLabel label) const;
    const QImage& DigitPanel() const { return panel_; }  // picDgPnl
    const QImage& MarkStrip() const { return marks_; }   // picDgMark
    const QImage& SyncMark() const { return syncMark_; }
    // The text last drawn by DrawNumber.
    const std::string& DrawnText() const { return drawnText_; }
    // The marks the pictures show now, strip marks left to right, then E and K: what the
    // copies left visible, which is not always what the engine's flags say (an erased
    // region hides a mark whose flag stays on). % shows as =.
    std::vector<int> ShownMarks() const;

    QRgb PanelBackground() const;  // pixel (210, 22) of the digit strip
    QRgb StripBackground() const;  // pixel (335, 11) of the mark strip

    // Told what changed after every drawing call, until the subscription ends.
    [[nodiscard]] Listeners::Subscription AddChangedListener(std::function<void(Changed)> changed) {
        return listeners_.Add(std::move(changed));
    }

  private:
    void Notify(Changed what) const;
    void DrawThousandsMarks(std::string_view text, int fractionDigits);
    // Marks whose place meets the strip columns [left, right) are no longer shown.
    void HideStripMarks(int left, int right);

    const Skin& skin_;
    Listeners listeners_;
    Listeners::Subscription ownListener_;
    QImage panel_;
    QImage marks_;
    QImage syncMark_;
    std::string drawnText_;
    std::array<std::string, 4> labels_;
    std::array<bool, 100> shown_{};  // by mark code
};

}  // namespace pemu::display
