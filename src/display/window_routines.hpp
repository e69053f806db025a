#pragma once
// The routines the secondary windows share: first placement beside the main window, moving
// by Ctrl+arrow, the function keys that open the other windows, child captions, the size
// grip and the row of equal buttons. Geometry only; the windows apply the results.
#include <QImage>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/skin_layout.hpp"

namespace pemu::display {

// The openWindowList codes; kMain stands for the main window.
enum class WindowCode : char {
    kMain = '0',
    kCheckTape = '1',
    kKeyAssignment = '2',
    kEnlargedDisplay = '3',
    kFormula = '4',
    kSkinChooser = '7',
    kUpdate = '8',
    kVersion = '9',
    kTaxRate = ':',
    kLogViewer = ';',
};

// The window of an openWindowList code; the main window for an unknown code.
WindowCode WindowOfCode(char code);

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
    Rect rect{};  // screen coordinates
};

struct Placement {
    WindowCode window = WindowCode::kMain;
    Size windowSize{};
    Rect anchor{};  // main window, or the tape window for the log viewer
    int screenWidth = 0;
    TaskBar taskBar{};
    bool rememberPositions = false;  // "StartUpEndOn"
    // Reads an integer setting (section, key, default); used when positions are remembered.
    std::function<int(const char*, const char*, int)> readSetting;
};

// First placement: the remembered position, else above / beside / offset from the anchor.
// Returns the top-left corner (x = left, y = top); nothing for the main window when
// positions are not remembered (it stays where the window system put it).
std::optional<Point> PlaceWindow(const Placement& placement);

// Windows virtual-key codes of the keys the routines look at.
inline constexpr int kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40;
inline constexpr int kVkF1 = 112, kVkF2 = 113, kVkF3 = 114, kVkF4 = 115, kVkF6 = 117;

// Ctrl+arrow moves 10 pixels; any other key gives nothing.
std::optional<Point> MoveWindowByKey(Point topLeft, int virtualKey, bool ctrl);

// Opens, raises and closes the secondary windows for HandleWindowKey.
class WindowSwitcher {
  public:
    virtual ~WindowSwitcher() = default;
    virtual bool IsOpen(WindowCode window) const = 0;
    virtual void Open(WindowCode window) = 0;
    virtual void Close(WindowCode window) = 0;
    virtual void BringToFront(WindowCode window) = 0;
};

// F1 check tape, F2 formula, F3 enlarged display, F4 log viewer, F6 skin chooser: the
// window's own key closes it, another opens or raises that window. Returns whether the key
// was one of these.
bool HandleWindowKey(WindowCode current, int virtualKey, WindowSwitcher& windows);

// " *子起動* PID" and the process id appended in a child instance (CP932 bytes).
std::string MarkChildCaption(std::string_view caption, bool childInstance, long pid);
// "Pemu *子起動* " + text, or "Pemu *子起動* PID" + pid for an empty text; at most 49 bytes.
std::string ChildTitle(std::string_view cp932Text, long pid);

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
