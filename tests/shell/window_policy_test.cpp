// First placement, moving by keys, the window keys and child captions.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "platform/codec.hpp"
#include "platform/virtual_keys.hpp"
#include "shell/child_instance.hpp"
#include "shell/window_policy.hpp"

namespace pemu::shell {
namespace {

namespace vk = platform::vk;
using platform::Point;
using platform::Rect;
using platform::Size;

Placement Beside(WindowCode window, Rect anchor, Size size, int screen = 1280) {
    Placement p;
    p.window = window;
    p.anchor = anchor;
    p.windowSize = size;
    p.screenWidth = screen;
    return p;
}

struct PlaceCase {
    const char* what;
    Placement placement;
    int x, y;
};

TaskBar LeftBar(int width) {
    return {TaskBarEdge::kLeft, {0, 0, width, 800}};
}

std::vector<PlaceCase> PlaceCases() {
    std::vector<PlaceCase> cases = {
        {"left of the main window", Beside(WindowCode::kFormula, {500, 200, 272, 400}, {300, 300}),
         200, 200},
        {"right when the left is too narrow",
         Beside(WindowCode::kFormula, {100, 50, 272, 400}, {300, 300}), 372, 50},
        {"offset when it fits neither side",
         Beside(WindowCode::kFormula, {300, 50, 272, 400}, {700, 300}, 1200), 310, 60},
        {"version dialog always offset",
         Beside(WindowCode::kVersion, {500, 200, 272, 400}, {100, 100}), 510, 210},
        {"enlarged display above",
         Beside(WindowCode::kEnlargedDisplay, {500, 300, 272, 400}, {400, 120}), 500, 180},
        {"above, right edges aligned at the screen edge",
         Beside(WindowCode::kEnlargedDisplay, {1000, 300, 272, 400}, {400, 120}), 872, 180},
        {"above with no room goes beside",
         Beside(WindowCode::kEnlargedDisplay, {500, 50, 272, 400}, {400, 120}), 100, 50},
    };
    PlaceCase bar{"task bar at the left leaves too little room",
                  Beside(WindowCode::kFormula, {400, 100, 272, 400}, {300, 300}), 672, 100};
    bar.placement.taskBar = LeftBar(150);
    cases.push_back(bar);
    PlaceCase fits{"task bar at the left, window still fits",
                   Beside(WindowCode::kFormula, {400, 100, 272, 400}, {200, 300}), 200, 100};
    fits.placement.taskBar = LeftBar(150);
    cases.push_back(fits);
    return cases;
}

TEST(PlaceWindow, FollowsTheAnchorAndTheWorkArea) {
    for (const PlaceCase& c : PlaceCases()) {
        const auto at = PlaceWindow(c.placement);
        ASSERT_TRUE(at) << c.what;
        EXPECT_EQ(at->x, c.x) << c.what;
        EXPECT_EQ(at->y, c.y) << c.what;
    }
}

TEST(PlaceWindow, RememberedPositionsComeFromTheSettings) {
    Placement p = Beside(WindowCode::kCheckTape, {500, 200, 272, 400}, {300, 300});
    p.rememberPositions = true;
    std::vector<std::string> asked;
    p.readSetting = [&](const char* section, const char* key, int fallback) {
        asked.push_back(std::string(section) + "/" + key);
        return std::string(key) == "KenzanTop" ? 33 : fallback;
    };
    const auto at = PlaceWindow(p);
    ASSERT_TRUE(at);
    EXPECT_EQ(at->x, 100);
    EXPECT_EQ(at->y, 33);
    EXPECT_EQ(std::set<std::string>(asked.begin(), asked.end()),
              (std::set<std::string>{"Value/KenzanTop", "Value/KenzanLeft"}));
    p.window = WindowCode::kMain;
    p.rememberPositions = false;
    EXPECT_FALSE(PlaceWindow(p));
    // The tax rate dialog has no remembered place: offset from the anchor.
    p.window = WindowCode::kTaxRate;
    p.rememberPositions = true;
    EXPECT_EQ(PlaceWindow(p)->x, 510);
}

TEST(PlaceWindow, AWindowWhosePositionWasNeverStoredGoesBesideTheCalculator) {
    Placement p = Beside(WindowCode::kCheckTape, {100, 100, 272, 400}, {300, 300});
    p.rememberPositions = true;
    std::set<std::string> stored;
    p.hasSetting = [&](const char*, const char* key) { return stored.count(key) > 0; };
    p.readSetting = [](const char*, const char*, int fallback) { return fallback; };
    EXPECT_EQ(PlaceWindow(p)->x, 372) << "beside, not over the calculator at 100, 100";
    stored = {"KenzanTop"};
    EXPECT_EQ(PlaceWindow(p)->x, 100) << "a stored position is where it was left";
}

struct ScreenCase {
    const char* what;
    Rect frame;
    std::vector<Rect> screens;
    int x, y;
};

TEST(KeepOnScreens, AWindowStandsWholeOnTheNearestScreen) {
    const Rect xga{0, 0, 1024, 768};
    const Rect right{1024, 0, 1280, 1024};
    const Rect leftOfPrimary{-1280, 0, 1280, 1024};
    const ScreenCase cases[] = {
        {"on the screen: left alone", {374, 60, 302, 685}, {xga}, 374, 60},
        {"StartUpTop=-99999", {100, -99999, 274, 446}, {xga}, 100, 0},
        {"title bar above the screen", {368, -20, 302, 685}, {xga}, 368, 0},
        {"on a monitor that was removed", {1500, 100, 302, 685}, {xga}, 722, 83},
        {"bottom runs off", {100, 500, 274, 446}, {xga}, 100, 322},
        {"larger than the screen keeps its title bar on it",
         {100, 50, 274, 880},
         {{0, 0, 512, 384}},
         100,
         0},
        {"wider than the screen keeps its left edge",
         {-40, 10, 900, 300},
         {{0, 0, 512, 384}},
         0,
         10},
        {"straddling two screens goes onto the one it covers most",
         {900, 100, 302, 400},
         {xga, right},
         1024,
         100},
        {"off both, onto the nearer", {2500, 1200, 300, 200}, {xga, right}, 2004, 824},
        {"a monitor left of the primary is a screen like any",
         {-600, 100, 300, 200},
         {leftOfPrimary, xga},
         -600,
         100},
        {"the work area leaves out a panel at the top",
         {200, 0, 300, 200},
         {{0, 30, 1024, 738}},
         200,
         30},
        {"no screens known: unchanged", {-500, -500, 300, 200}, {}, -500, -500},
    };
    for (const ScreenCase& c : cases) {
        const Point at = KeepOnScreens(c.frame, c.screens);
        EXPECT_EQ(at.x, c.x) << c.what;
        EXPECT_EQ(at.y, c.y) << c.what;
    }
}

TEST(KeepOnScreens, PlacementKeepsStoredAndComputedPositionsOnScreen) {
    Placement p = Beside(WindowCode::kCheckTape, {700, 300, 274, 446}, {382, 685}, 1024);
    p.screens = {{0, 0, 1024, 768}};
    // Beside the calculator would run off the bottom of the screen.
    EXPECT_EQ(PlaceWindow(p)->y, 768 - 685);
    p.rememberPositions = true;
    p.readSetting = [](const char*, const char* key, int fallback) {
        return std::string(key) == "KenzanTop" ? -30 : fallback;
    };
    const auto at = PlaceWindow(p);
    EXPECT_EQ(at->x, 100);
    EXPECT_EQ(at->y, 0) << "KenzanTop=-30 hid the title bar and the menu";
}

TEST(MinimumClientSize, TheOuterMinimumLessTheFrameNeverAboveTheDesignedSize) {
    struct Case {
        const char* what;
        Size frame;
        int width, height;
    } const cases[] = {
        {"a thin frame: the designed 283 stays allowed", {2, 21}, 283, 504},
        {"a wide frame", {16, 39}, 271, 486},
        {"no frame (no window manager)", {0, 0}, 283, 525},
    };
    for (const Case& c : cases) {
        const Size min = MinimumClientSize({287, 525}, c.frame, {283, 689});
        EXPECT_EQ(min.width, c.width) << c.what;
        EXPECT_EQ(min.height, c.height) << c.what;
    }
}

TEST(MoveWindowByKey, CtrlArrowsMoveTenPixels) {
    const Point at{50, 60};
    EXPECT_EQ(MoveWindowByKey(at, vk::kLeft, true)->x, 40);
    EXPECT_EQ(MoveWindowByKey(at, vk::kRight, true)->x, 60);
    EXPECT_EQ(MoveWindowByKey(at, vk::kUp, true)->y, 50);
    EXPECT_EQ(MoveWindowByKey(at, vk::kDown, true)->y, 70);
    EXPECT_FALSE(MoveWindowByKey(at, vk::kLeft, false));
    EXPECT_FALSE(MoveWindowByKey(at, 65, true));
}

class RecordingSwitcher : public WindowHost {
  public:
    bool IsOpen(WindowCode w) const override { return open.count(w) > 0; }
    void Open(WindowCode w) override {
        log.push_back("open " + std::string(1, static_cast<char>(w)));
    }
    void Close(WindowCode w) override {
        log.push_back("close " + std::string(1, static_cast<char>(w)));
    }
    void BringToFront(WindowCode w) override {
        log.push_back("front " + std::string(1, static_cast<char>(w)));
    }
    std::set<WindowCode> open;
    std::vector<std::string> log;
};

TEST(HandleWindowKey, OwnKeyClosesOtherKeysOpenOrRaise) {
    RecordingSwitcher windows;
    windows.open = {WindowCode::kFormula};
    EXPECT_TRUE(HandleWindowKey(WindowCode::kCheckTape, vk::kF1, windows));
    EXPECT_TRUE(HandleWindowKey(WindowCode::kCheckTape, vk::kF2, windows));
    EXPECT_TRUE(HandleWindowKey(WindowCode::kCheckTape, vk::kF3, windows));
    EXPECT_TRUE(HandleWindowKey(WindowCode::kCheckTape, vk::kF4, windows));
    EXPECT_TRUE(HandleWindowKey(WindowCode::kCheckTape, vk::kF6, windows));
    EXPECT_FALSE(HandleWindowKey(WindowCode::kCheckTape, 116, windows));  // F5
    EXPECT_EQ(windows.log,
              (std::vector<std::string>{"close 1", "front 4", "open 3", "open ;", "open 7"}));
}

TEST(WindowOfCode, UnknownCodesMeanTheMainWindow) {
    EXPECT_EQ(WindowOfCode('1'), WindowCode::kCheckTape);
    EXPECT_EQ(WindowOfCode(';'), WindowCode::kLogViewer);
    EXPECT_EQ(WindowOfCode('5'), WindowCode::kMain);
    EXPECT_EQ(WindowOfCode('\0'), WindowCode::kMain);
}

TEST(ChildCaptions, SuffixAndBoundedTitle) {
    using platform::Sjis;
    EXPECT_EQ(MarkChildCaption(Sjis("検算 :F1"), true, 4321), Sjis("検算 :F1 *子起動* PID4321"));
    EXPECT_EQ(MarkChildCaption("Pemu", false, 4321), "Pemu");
    EXPECT_EQ(ChildTitle("", 77), Sjis("Pemu *子起動* PID77"));
    EXPECT_EQ(ChildTitle("abc", 77), Sjis("Pemu *子起動* abc"));
    // 49 bytes at most, never half of a double-byte character.
    const std::string title = ChildTitle(Sjis("あいうえおかきくけこさしすせそたちつてと"), 1);
    EXPECT_LE(title.size(), 49u);
    EXPECT_EQ(platform::Utf8ToCp932(platform::Cp932ToUtf8(title)), title);
}

}  // namespace
}  // namespace pemu::shell
