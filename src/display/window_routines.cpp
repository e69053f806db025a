#include "display/window_routines.hpp"

#include <utility>

#include "display/system_colours.hpp"

namespace pemu::display {

void DrawSizeGrip(QImage& image) {
    image.fill(ColourOf(SystemColour::kButtonFace));
    const int cell = image.width() / 3;
    if (cell <= 0) return;
    const QRgb ink = ColourOf(SystemColour::kWindowText).rgb();
    const auto dot = [&](int cx, int cy) {
        for (const auto& [dx, dy] : {std::pair{0, 0}, {1, 0}, {-1, 0}, {0, 1}, {0, -1}})
            if (image.valid(cx + dx, cy + dy)) image.setPixel(cx + dx, cy + dy, ink);
    };
    for (int row = 0; row < 3; ++row)
        for (int column = 2 - row; column < 3; ++column)
            dot(column * cell + cell / 2, row * cell + cell / 2);
}

std::vector<ButtonGeometry> LayoutButtonRow(int clientWidth, int buttons, int buttonHeight,
                                            int statusTop) {
    std::vector<ButtonGeometry> row;
    if (buttons <= 0) return row;
    const int width = (clientWidth - 2 * buttons - 2) / buttons;
    const int top = statusTop - buttonHeight - 3;
    for (int i = 0; i < buttons; ++i)
        row.push_back({2 + i * (width + 2), top, width});
    return row;
}

}  // namespace pemu::display
