// The enlarged display: the main display's digits and marks at twice the size, pixel for
// pixel, after every key, and the skin's new display panel after a skin change.
#include <QApplication>
#include <QTest>
#include <filesystem>

#include "core/key_codes.hpp"
#include "display/skin_layout.hpp"
#include "main_window_fixture.hpp"
#include "shell/settings_keys.hpp"
#include "ui/face_widget.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/big_panel.hpp"

namespace pemu::ui::testing_support {
namespace {

namespace fs = std::filesystem;
using shell::WindowCode;

class BigPanelTest : public MainWindowTest {
  protected:
    // F3 in the calculator, as the user opens it.
    TfrmBigPanel* OpenWithF3() {
        Type(Qt::Key_F3);
        QApplication::processEvents();
        return qobject_cast<TfrmBigPanel*>(
            window_->Context().windows().Window(WindowCode::kEnlargedDisplay));
    }
    // The enlarged area at `big` shows the face's area at `face` with every pixel doubled.
    ::testing::AssertionResult ShowsDoubled(TfrmBigPanel* panel, QPoint big, QRect face) {
        const QImage shown = Painted(panel);
        const QImage main = Painted(window_->Face());
        for (int y = 0; y < 2 * face.height(); ++y) {
            for (int x = 0; x < 2 * face.width(); ++x) {
                const QRgb want = main.pixel(face.x() + x / 2, face.y() + y / 2) & 0xFFFFFF;
                const QRgb seen = shown.pixel(big.x() + x, big.y() + y) & 0xFFFFFF;
                if (want != seen) {
                    return ::testing::AssertionFailure()
                           << "pixel (" << big.x() + x << ", " << big.y() + y << ") is " << std::hex
                           << seen << ", the face has " << want;
                }
            }
        }
        return ::testing::AssertionSuccess();
    }
    ::testing::AssertionResult FollowsTheMainDisplay(TfrmBigPanel* panel) {
        using namespace display;
        const QRect digits(kDigitPanelPos.x, kDigitPanelPos.y, kDigitPanelSize.width,
                           kDigitPanelSize.height);
        const QRect marks(kMarkStripPos.x, kMarkStripPos.y, kMarkStripViewSize.width,
                          kMarkStripViewSize.height);
        auto result = ShowsDoubled(panel, {kEnlargedDigitsPosX, kEnlargedDigitsPosY}, digits);
        if (!result) return result << " (digits)";
        result = ShowsDoubled(panel, {kEnlargedMarksPosX, kEnlargedMarksPosY}, marks);
        if (!result) return result << " (marks)";
        return result;
    }
    static constexpr int kEnlargedDigitsPosX = 18, kEnlargedDigitsPosY = 84;
    static constexpr int kEnlargedMarksPosX = 18, kEnlargedMarksPosY = 60;
};

TEST_F(BigPanelTest, F3OpensItAndItFollowsEveryKeyAtTwiceTheSize) {
    Start();
    TfrmBigPanel* panel = OpenWithF3();
    ASSERT_NE(panel, nullptr);
    EXPECT_EQ(panel->windowTitle().toStdString(), "拡大 :F3");
    EXPECT_EQ(panel->size(), QSize(522, 200));
    EXPECT_TRUE(FollowsTheMainDisplay(panel)) << "at opening";
    using namespace core;
    struct Step {
        const char* name;
        std::vector<int> keys;
    };
    const Step steps[] = {
        {"digits, point and thousands",
         {kKeyDigit1, kKeyDigit1 + 1, kKeyDigit1 + 6, kKeyDigit1 + 7, kKeyPoint, kKeyDigit1 + 8}},
        {"operator, memory and grand total marks",
         {kKeyAdd, kKeyDigit1 + 1, kKeyEquals, kKeyMemoryPlus, kKeyGrandTotal}},
        {"the error state", {kKeyDigit1, kKeyDivide, kKeyDigit0, kKeyEquals}},
        {"cleared", {kKeyClearAll}},
    };
    for (const Step& step : steps) {
        for (int key : step.keys)
            Click(key);
        QApplication::processEvents();
        EXPECT_TRUE(FollowsTheMainDisplay(panel)) << step.name;
    }
}

TEST_F(BigPanelTest, ASkinChangeBringsTheNewPanelAtOnce) {
    Start();
    TfrmBigPanel* panel = OpenWithF3();
    ASSERT_NE(panel, nullptr);
    const QRgb red = qRgb(200, 0, 0);
    EXPECT_NE(panel->Picture().pixel(4, 4) & 0xFFFFFF, red & 0xFFFFFF);
    // A display panel all red, its colour key (the pixel at (0, 101)) another colour.
    QImage part(display::kDisplayPanelSize.width, display::kDisplayPanelSize.height,
                QImage::Format_RGB32);
    part.fill(red);
    part.setPixel(0, 101, qRgb(255, 0, 255));
    const fs::path folder = dataRoot_ / "redpanel";
    fs::create_directories(folder);
    ASSERT_TRUE(part.save(QString::fromStdString((folder / "imgDigitalPanel.bmp").string())));
    window_->Context().face().LoadSkin(folder, display::LoadMode::kDefaultForDisplay,
                                       window_->Context());
    QApplication::processEvents();
    const QImage shown = Painted(panel);
    EXPECT_EQ(shown.pixel(4, 4) & 0xFFFFFF, red & 0xFFFFFF);
    // The digits lie transparent over the new panel: their background shows it too.
    EXPECT_EQ(shown.pixel(kEnlargedDigitsPosX, kEnlargedDigitsPosY) & 0xFFFFFF, red & 0xFFFFFF);
}

TEST_F(BigPanelTest, KeyCode24TogglesItAndF3InTheWindowClosesItKeepingItsPlace) {
    Start();
    WindowSwitcher& windows = window_->Context().windows();
    window_->Calculator().ExecuteKey(core::kEnlargedDisplayKey);
    EXPECT_TRUE(windows.IsOpen(WindowCode::kEnlargedDisplay));
    window_->Calculator().ExecuteKey(core::kEnlargedDisplayKey);
    QApplication::processEvents();
    EXPECT_FALSE(windows.IsOpen(WindowCode::kEnlargedDisplay));

    TfrmBigPanel* panel = OpenWithF3();
    ASSERT_NE(panel, nullptr);
    panel->move(123, 45);
    QTest::keyClick(panel, Qt::Key_F3);
    QApplication::processEvents();
    EXPECT_FALSE(windows.IsOpen(WindowCode::kEnlargedDisplay));
    const shell::SettingsStore& store = session_->store();
    EXPECT_EQ(shell::Read(store, shell::keys::kBigPanelTop), 45);
    EXPECT_EQ(shell::Read(store, shell::keys::kBigPanelLeft), 123);
}

}  // namespace
}  // namespace pemu::ui::testing_support
