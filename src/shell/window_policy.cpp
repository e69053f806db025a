#include "shell/window_policy.hpp"

#include <algorithm>
#include <cstdint>

#include "platform/virtual_keys.hpp"
#include "shell/settings_keys.hpp"

namespace pemu::shell {
namespace {

namespace vk = platform::vk;
using platform::Point;
using platform::Rect;
using platform::Size;

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

// How far two spans [a, a + la) and [b, b + lb) overlap (0 when apart) and how far apart
// they are (0 when they overlap or touch).
int OverlapOf(int a, int la, int b, int lb) {
    return std::max(0, std::min(a + la, b + lb) - std::max(a, b));
}

int GapOf(int a, int la, int b, int lb) {
    if (a + la <= b) return b - (a + la);
    if (b + lb <= a) return a - (b + lb);
    return 0;
}

// The start of a span of length `length` moved the least into [start, start + room); a
// span longer than the room starts where the room does.
int ClampInto(int at, int length, int start, int room) {
    return std::max(start, std::min(at, start + room - length));
}

std::optional<Point> PlaceWithoutScreens(const Placement& placement);

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
    const std::optional<Point> at = PlaceWithoutScreens(placement);
    if (!at) return at;
    return KeepOnScreens({at->x, at->y, placement.windowSize.width, placement.windowSize.height},
                         placement.screens);
}

Point KeepOnScreens(const Rect& frame, const std::vector<Rect>& screens) {
    const Rect* best = nullptr;
    std::int64_t bestOverlap = 0, bestDistance = 0;
    for (const Rect& screen : screens) {
        if (screen.width <= 0 || screen.height <= 0) continue;
        const std::int64_t overlap =
            std::int64_t{OverlapOf(frame.x, frame.width, screen.x, screen.width)} *
            OverlapOf(frame.y, frame.height, screen.y, screen.height);
        const std::int64_t dx = GapOf(frame.x, frame.width, screen.x, screen.width);
        const std::int64_t dy = GapOf(frame.y, frame.height, screen.y, screen.height);
        const std::int64_t distance = dx * dx + dy * dy;
        if (!best || overlap > bestOverlap ||
            (overlap == 0 && bestOverlap == 0 && distance < bestDistance)) {
            best = &screen;
            bestOverlap = overlap;
            bestDistance = distance;
        }
    }
    if (!best) return {frame.x, frame.y};
    return {ClampInto(frame.x, frame.width, best->x, best->width),
            ClampInto(frame.y, frame.height, best->y, best->height)};
}

Size MinimumClientSize(Size outerMinimum, Size frame, Size designedClient) {
    return {std::max(0, std::min(outerMinimum.width - frame.width, designedClient.width)),
            std::max(0, std::min(outerMinimum.height - frame.height, designedClient.height))};
}

namespace {

std::optional<Point> PlaceWithoutScreens(const Placement& placement) {
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

}  // namespace

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
