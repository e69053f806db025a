#pragma once
// The liquid-crystal display of the main window: the digit panel (picDgPnl, 245 x 30) and
// the mark strip (picDgMark, 245 x 10), drawn by rectangle copies out of the skin's digit
// and mark strips, and the four label texts beside them. The window paints the two images
// and the labels; every change is announced through the listener.
#include <QColor>
#include <QImage>
#include <array>
#include <functional>
#include <string>
#include <string_view>

#include "display/skin.hpp"
#include "display/skin_layout.hpp"

namespace pemu::display {

enum class DisplayLabel { kAnswer = 0, kInput = 1, kRound = 2, kDecimal = 3 };

class DigitalDisplay {
  public:
    enum class Changed { kPanel, kMarks, kLabel };

    explicit DigitalDisplay(const Skin& skin, std::function<void(Changed)> changed = {});

    // Draws `text` right-aligned in the 15 cells (digits, "-", "E", ":", point after the last
    // digit for integers, thousands marks over the integer part). Removes the panel marks.
    void DrawNumber(std::string_view text);
    // Copies one mark's glyph (on) or the blank glyph (off) to its place; codes without a place
    // (51 and any unlisted code) draw nothing. 58 and 59 go to the digit panel.
    void ShowMark(int code, bool on);
    // Fills a rectangle of the strip (all zero: the whole strip) with its background colour.
    void EraseMarkStrip(const Rect& rect);
    // Fills a rectangle of the digit panel (all zero: the whole panel) with its background.
    void ErasePanelCell(const Rect& rect);
    // The whole strip again from the mark states (after a skin change): the order of the
    // group redraw, one glyph per shared place; % (1) is not redrawn.
    void RedrawMarks(const std::array<bool, 100>& markOn);
    // Builds the K (59) or E (58) half of the sync mark picture from the mark strip, the strip
    // background becoming the panel background.
    void PrepareSyncMark(int code);
    // Both halves: after every skin load and at first show.
    void PrepareSyncMarks();

    void SetLabel(DisplayLabel label, std::string_view cp932Text);
    const std::string& Label(DisplayLabel label) const;

    // picDgPnl, picDgMark and SyncMark as drawn so far.
    const QImage& DigitPanel() const { return panel_; }
    const QImage& MarkStrip() const { return marks_; }
    const QImage& SyncMark() const { return syncMark_; }
    const std::string& DisplayedText() const { return displayValue_; }

    QRgb PanelBackground() const;
    QRgb StripBackground() const;

    void SetChangedListener(std::function<void(Changed)> changed) { changed_ = std::move(changed); }

  private:
    void Notify(Changed what);

    const Skin& skin_;
    std::function<void(Changed)> changed_;
    QImage panel_;
    QImage marks_;
    QImage syncMark_;
    std::string displayValue_ = "0";
    std::array<std::string, 4> labels_;
};

}  // namespace pemu::display
