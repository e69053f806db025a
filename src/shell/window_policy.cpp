#include "shell/window_policy.hpp"

#include "platform/virtual_keys.hpp"
#include "shell/settings_keys.hpp"

namespace pemu::shell {
namespace {

namespace vk = platform::vk;
using platform::Point;

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

constexpr PositionKeys KeysOf(const IntegerSetting& top, const IntegerSetting& left) {
    return {top.section, top.ident, left.ident};
}

}  // namespace

std::optional<PositionKeys> RememberedPositionKeysOf(WindowCode window) {
    switch (window) {
        case WindowCode::kMain:
            return KeysOf(keys::kStartUpTop, keys::kStartUpLeft);
        case WindowCode::kEnlargedDisplay:
            return KeysOf(keys::kBigPanelTop, keys::kBigPanelLeft);
        case WindowCode::kFormula:
            return KeysOf(keys::kSushikiTop, keys::kSushikiLeft);
        case WindowCode::kLogViewer:
            return KeysOf(keys::kLogViewTop, keys::kLogViewLeft);
        case WindowCode::kCheckTape:
            return KeysOf(keys::kKenzanTop, keys::kKenzanLeft);
        case WindowCode::kSkinChooser:
            return KeysOf(keys::kSkinChTop, keys::kSkinChLeft);
        default:
            return std::nullopt;
    }
}

std::optional<Point> PlaceWindow(const Placement& placement) {
    const auto keys = RememberedPositionKeysOf(placement.window);
    const bool stored =
        keys && (!placement.hasSetting || placement.hasSetting(keys->section, keys->topKey) ||
                 placement.hasSetting(keys->section, keys->leftKey));
    if (placement.rememberPositions && keys && placement.readSetting && stored) {
        return Point{placement.readSetting(keys->section, keys->leftKey, 100),
                     placement.readSetting(keys->section, keys->topKey, 100)};
    }
    if (placement.window == WindowCode::kMain) return std::nullopt;

    const platform::Rect& anchor = placement.anchor;
    const platform::Size& size = placement.windowSize;
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
        case vk::kLeft:
            return Point{topLeft.x - 10, topLeft.y};
        case vk::kRight:
            return Point{topLeft.x + 10, topLeft.y};
        case vk::kUp:
            return Point{topLeft.x, topLeft.y - 10};
        case vk::kDown:
            return Point{topLeft.x, topLeft.y + 10};
        default:
            return std::nullopt;
    }
}

void ToggleWindow(WindowCode window, bool focusOnly, WindowHost& windows) {
    if (!windows.IsOpen(window))
        windows.Open(window);
    else if (focusOnly)
        windows.BringToFront(window);
    else
        windows.Close(window);
}

std::optional<WindowCode> WindowOfKey(int virtualKey) {
    switch (virtualKey) {
        case vk::kF1:
            return WindowCode::kCheckTape;
        case vk::kF2:
            return WindowCode::kFormula;
        case vk::kF3:
            return WindowCode::kEnlargedDisplay;
        case vk::kF4:
            return WindowCode::kLogViewer;
        case vk::kF6:
            return WindowCode::kSkinChooser;
        default:
            return std::nullopt;
    }
}

bool HandleWindowKey(WindowCode current, int virtualKey, WindowHost& windows) {
    const std::optional<WindowCode> target = WindowOfKey(virtualKey);
    if (!target) return false;
    if (*target == current)
        windows.Close(*target);
    else
        ToggleWindow(*target, true, windows);
    return true;
}

}  // namespace pemu::shell
