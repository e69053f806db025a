#pragma once
// How the secondary windows behave as windows, decided without any window: where one first
// appears, what the window keys and Ctrl+arrows do, and the toggle that opens and closes
// them. The window layer carries the decisions out.
#include <functional>
#include <optional>
#include <vector>

#include "platform/geometry.hpp"
#include "shell/open_window_list.hpp"

namespace pemu::shell {

// Where a window's remembered position is kept.
struct PositionKeys {
    const char* section;
    const char* topKey;
    const char* leftKey;
};
std::optional<PositionKeys> RememberedPositionKeysOf(WindowCode window);

enum class TaskBarEdge { kNone, kLeft, kRight, kTop, kBottom };
struct TaskBar {
    TaskBarEdge edge = TaskBarEdge::kNone;
    platform::Rect rect{};  // screen coordinates
};

struct Placement {
    WindowCode window = WindowCode::kMain;
    platform::Size windowSize{};
    platform::Rect anchor{};  // main window, or the tape window for the log viewer
    int screenWidth = 0;
    TaskBar taskBar{};
    bool rememberPositions = false;  // "StartUpEndOn"
    // Reads an integer setting (section, key, default); used when positions are remembered.
    std::function<int(const char*, const char*, int)> readSetting;
    // Whether a setting is stored (section, key). When given, a window whose position was
    // never stored is placed beside its anchor instead of at the default 100, 100, where it
    // would cover the calculator the first time it opens.
    std::function<bool(const char*, const char*)> hasSetting;
    // The work areas of the screens there are. When given, the window is kept on them
    // whole (KeepOnScreens), wherever the rules or the settings put it.
    std::vector<platform::Rect> screens;
};

// First placement: the remembered position, else above / beside / offset from the anchor.
// Returns the top-left corner (x = left, y = top); nothing for the main window when
// positions are not remembered (it stays where the window system put it).
std::optional<platform::Point> PlaceWindow(const Placement& placement);

// Where a window whose outer rectangle is `frame` may stand: on the screen it overlaps
// most, or, lying off every screen (a monitor removed, a position from another desktop), on
// the nearest one; moved the least so that it is whole on it. A window larger than the
// screen keeps its top-left corner, and with it the title bar and the menu, on the screen.
// No screens: the frame stays where it is.
platform::Point KeepOnScreens(const platform::Rect& frame,
                              const std::vector<platform::Rect>& screens);

// The smallest client size a window may be given when its outer size may not go below
// `outerMinimum` and its frame adds `frame`: never above `designedClient`, the size it opens
// with by default, so that a thin frame does not make a window grow each time it opens.
platform::Size MinimumClientSize(platform::Size outerMinimum, platform::Size frame,
                                 platform::Size designedClient);

// Ctrl+arrow moves 10 pixels; any other key gives nothing.
std::optional<platform::Point> MoveWindowByKey(platform::Point topLeft, int virtualKey, bool ctrl);

// Opens, raises and closes the real secondary windows.
class WindowHost {
  public:
    virtual ~WindowHost() = default;
    virtual bool IsOpen(WindowCode window) const = 0;
    virtual void Open(WindowCode window) = 0;
    virtual void Close(WindowCode window) = 0;
    virtual void BringToFront(WindowCode window) = 0;
};

// The toggle routine of every secondary window: with focusOnly false an open window closes
// and a closed one opens; with focusOnly true the window opens or comes to the front.
void ToggleWindow(WindowCode window, bool focusOnly, WindowHost& windows);

// The window a function key names: F1 check tape, F2 formula, F3 enlarged display, F4 log
// viewer, F6 skin chooser; nothing for any other key.
std::optional<WindowCode> WindowOfKey(int virtualKey);

// A function key pressed in `current` (kMain for the main window): the window's own key
// closes it, another opens or raises that window. Returns whether the key was one of these.
bool HandleWindowKey(WindowCode current, int virtualKey, WindowHost& windows);

}  // namespace pemu::shell
