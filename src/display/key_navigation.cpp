#include "display/key_navigation.hpp"

#include <QPainter>

#include "core/key_codes.hpp"
#include "display/qt_text.hpp"
#include "display/skin_layout.hpp"
#include "display/system_colours.hpp"

namespace pemu::display {

namespace {

constexpr int kButtonUp = 1;
constexpr int kButtonDown = 2;

// The name box: as high as the free band below the caption of the lowest keys.
constexpr int kNameHeight = 9;

// The name at the bottom-left corner of the key, on the window colour, under the caption
// (at the top it covered the upper half of every caption); the pressed sheet one pixel
// lower and to the right, as the pressed key moves.
void WriteName(QImage& sheet, const KeyCell& cell, const QString& name, int offset) {
    QPainter p(&sheet);
    p.setFont(FontFor("MS ゴシック", 0, kNameHeight));
    const QRect box = p.fontMetrics().boundingRect(name);
    // The key shows height - 2 rows: the box ends on the last of them.
    const int top = cell.y + cell.height - 2 - kNameHeight;
    const QRect where(cell.x + offset, top + offset, box.width() + 2, kNameHeight);
    p.fillRect(where, ColourOf(SystemColour::kWindow));
    p.setPen(ColourOf(SystemColour::kWindowText));
    p.drawText(where, Qt::AlignLeft | Qt::AlignVCenter, name);
}

bool Labelled(int code) {
    return (code >= core::kKeyPercent && code <= core::kKeyPoint) ||
           (code >= core::kKeyDigit1 && code <= core::kKeyDoubleZero);
}

}  // namespace

void KeyNavigation::Show(const shell::KeyTable& table) {
    if (!on_) {
        plainUp_ = skin_.ButtonUp();
        plainDown_ = skin_.ButtonDown();
    }
    QImage up = plainUp_;
    QImage down = plainDown_;
    for (int code = core::kKeyPercent; code <= core::kKeyDoubleZero; ++code) {
        if (!Labelled(code)) continue;
        const QString name = FromCp932(shell::KeyName(table.KeyOf(code)));
        if (name.isEmpty()) continue;  // nothing assigned (the second C has no slot)
        // CE and C carry their names in the cells of both families.
        for (const KeyFamily family : {kSharp, kCasio}) {
            const auto cell = KeyCellOf(code, family);
            if (!cell ||
                (family == kCasio && code != core::kKeyClearEntry && code != core::kKeyClear))
                continue;
            WriteName(up, *cell, name, 0);
            WriteName(down, *cell, name, 1);
        }
    }
    skin_.SetPicture(kButtonUp, up);
    skin_.SetPicture(kButtonDown, down);
    on_ = true;
}

void KeyNavigation::SkinLoaded(const shell::KeyTable& table) {
    if (!on_) return;
    on_ = false;
    Show(table);
}

void KeyNavigation::Hide() {
    if (!on_) return;
    skin_.SetPicture(kButtonUp, plainUp_);
    skin_.SetPicture(kButtonDown, plainDown_);
    on_ = false;
}

}  // namespace pemu::display
