#include "display/window_routines.hpp"

#include <QPainter>
#include <array>

#include "display/system_colours.hpp"
#include "platform/codec.hpp"

namespace pemu::display {
namespace {

constexpr std::size_t kMaxTitleBytes = 49;

bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// Cut to `limit` bytes without leaving half of a double-byte character.
std::string CutCp932(std::string text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t i = 0;
    while (i < limit) {
        const std::size_t step = IsLeadByte(static_cast<unsigned char>(text[i])) ? 2 : 1;
        if (i + step > limit) break;
        i += step;
    }
    text.resize(i);
    return text;
}

const std::string& ChildSuffix() {
    static const std::string suffix = platform::Sjis(" *子起動* PID");
    return suffix;
}

enum class Mode { kAbove, kBeside, kOffset };

Mode ModeOf(WindowCode window) {
    switch (window) {
        case WindowCode::kEnlargedDisplay:
            return Mode::kAbove;
        case WindowCode::kVersion:
        case WindowCode::kTaxRate:
            return Mode::kOffset;
        default:
            return Mode::kBeside;
    }
}

}  // namespace

WindowCode WindowOfCode(char code) {
    static constexpr std::array<WindowCode, 9> kKnown{
        {WindowCode::kCheckTape, WindowCode::kKeyAssignment, WindowCode::kEnlargedDisplay,
         WindowCode::kFormula, WindowCode::kSkinChooser, WindowCode::kUpdate, WindowCode::kVersion,
         WindowCode::kTaxRate, WindowCode::kLogViewer}};
    for (WindowCode w : kKnown)
        if (static_cast<char>(w) == code) return w;
    return WindowCode::kMain;
}

std::optional<PositionKeys> RememberedPositionKeysOf(WindowCode window) {
    switch (window) {
        case WindowCode::kMain:
            return PositionKeys{"StartUp", "StartUpTop", "StartUpLeft"};
        case WindowCode::kEnlargedDisplay:
            return PositionKeys{"Value", "BigPanelTop", "BigPanelLeft"};
        case WindowCode::kFormula:
            return PositionKeys{"Value", "SushikiTop", "SushikiLeft"};
        case WindowCode::kLogViewer:
            return PositionKeys{"Value", "LogViewTop", "LogViewLeft"};
        case WindowCode::kCheckTape:
            return PositionKeys{"Value", "KenzanTop", "KenzanLeft"};
        case WindowCode::kSkinChooser:
            return PositionKeys{"Value", "SkinChTop", "SkinChLeft"};
        default:
            return std::nullopt;
    }
}

std::optional<Point> PlaceWindow(const Placement& placement) {
    const auto keys = RememberedPositionKeysOf(placement.window);
    if (placement.rememberPositions && keys && placement.readSetting) {
        return Point{placement.readSetting(keys->section, keys->leftKey, 100),
                     placement.readSetting(keys->section, keys->topKey, 100)};
    }
    if (placement.window == WindowCode::kMain) return std::nullopt;

    const Rect& anchor = placement.anchor;
    const Size& size = placement.windowSize;
    int workLeft = 0, workRight = placement.screenWidth;
    if (placement.taskBar.edge == TaskBarEdge::kLeft)
        workLeft = placement.taskBar.rect.x + placement.taskBar.rect.width;
    if (placement.taskBar.edge == TaskBarEdge::kRight) workRight = placement.taskBar.rect.x;

    Mode mode = ModeOf(placement.window);
    Point at{anchor.x + 10, anchor.y + 10};
    if (mode == Mode::kAbove) {
        at.y = anchor.y - size.height;
        if (anchor.x - (size.width - anchor.width) < 0)
            at.x = 0;
        else if (anchor.x + size.width > placement.screenWidth)
            at.x = anchor.x + anchor.width - size.width;
        else
            at.x = anchor.x;
        if (at.y >= 0) return at;
        at.y = 0;
        mode = Mode::kBeside;
    }
    if (mode == Mode::kBeside) {
        if (size.width < anchor.x - workLeft) return Point{anchor.x - size.width, anchor.y};
        if (anchor.x + anchor.width + size.width < workRight)
            return Point{anchor.x + anchor.width, anchor.y};
    }
    return Point{anchor.x + 10, anchor.y + 10};
}

std::optional<Point> MoveWindowByKey(Point topLeft, int virtualKey, bool ctrl) {
    if (!ctrl) return std::nullopt;
    switch (virtualKey) {
        case kVkLeft:
            return Point{topLeft.x - 10, topLeft.y};
        case kVkRight:
            return Point{topLeft.x + 10, topLeft.y};
        case kVkUp:
            return Point{topLeft.x, topLeft.y - 10};
        case kVkDown:
            return Point{topLeft.x, topLeft.y + 10};
        default:
            return std::nullopt;
    }
}

bool HandleWindowKey(WindowCode current, int virtualKey, WindowSwitcher& windows) {
    WindowCode target;
    switch (virtualKey) {
        case kVkF1:
            target = WindowCode::kCheckTape;
            break;
        case kVkF2:
            target = WindowCode::kFormula;
            break;
        case kVkF3:
            target = WindowCode::kEnlargedDisplay;
            break;
        case kVkF4:
            target = WindowCode::kLogViewer;
            break;
        case kVkF6:
            target = WindowCode::kSkinChooser;
            break;
        default:
            return false;
    }
    if (target == current)
        windows.Close(target);
    else if (windows.IsOpen(target))
        windows.BringToFront(target);
    else
        windows.Open(target);
    return true;
}

std::string MarkChildCaption(std::string_view caption, bool childInstance, long pid) {
    std::string text(caption);
    if (childInstance) text += ChildSuffix() + std::to_string(pid);
    return text;
}

std::string ChildTitle(std::string_view cp932Text, long pid) {
    static const std::string prefix = platform::Sjis("Pemu *子起動* ");
    if (cp932Text.empty())
        return CutCp932("Pemu" + ChildSuffix() + std::to_string(pid), kMaxTitleBytes);
    return CutCp932(prefix + std::string(cp932Text), kMaxTitleBytes);
}

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
