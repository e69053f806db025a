#pragma once
// The pixel pieces the secondary windows share: the size grip and the row of equal buttons
// above a status line. Where windows go and which keys move them is window policy
// (shell/window_policy.hpp).
#include <QImage>
#include <vector>

namespace pemu::display {

// Button face with the grip dots: 1, 2, 3 right-aligned dots in the rows of a 3 x 3 grid.
void DrawSizeGrip(QImage& image);

// Lefts and widths of n equal buttons above a status line.
struct ButtonGeometry {
    int left;
    int top;
    int width;
};
std::vector<ButtonGeometry> LayoutButtonRow(int clientWidth, int buttons, int buttonHeight,
                                            int statusTop);

}  // namespace pemu::display
