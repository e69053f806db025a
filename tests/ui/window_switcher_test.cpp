// The secondary-window frame: the toggle routine, the open-window list the windows keep,
// the window keys every window shares and the reopening at start, with small stand-in
// windows registered the way real ones are.
#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <fstream>
#include <iterator>

#include "main_window_fixture.hpp"
#include "shell/settings_keys.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/secondary_window.hpp"

namespace pemu::ui::testing_support {
namespace {

namespace fs = std::filesystem;
using shell::WindowCode;

// A window with nothing but the frame; it leaves a mark in the settings when it closes.
class PlainWindow : public SecondaryWindow {
  public:
    PlainWindow(AppContext& context, WindowCode code) : SecondaryWindow(context, code, "窓") {
        resize(200, 100);
    }

  protected:
    void WriteSettings() override {
        const std::string ident = std::string("Closed") + shell::CodeOf(Code());
        context().store().WriteInteger("Test", ident, 1);
    }
};

class WindowSwitcherTest : public MainWindowTest {
  protected:
    // The main window with stand-in windows for the tape ('1') and formula ('4') codes,
    // registered before the first activation so that the start can reopen them.
    void StartWithWindows(const std::string& settings = "") {
        fs::create_directories(dataRoot_ / "PemuFiles/_sys");
        std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini") << settings;
        session_ = std::make_unique<shell::ShellSession>(dataRoot_.string(),
                                                         (dataRoot_ / "bin").string(), nullptr);
        window_ = std::make_unique<TfrmMain>(*session_);
        for (WindowCode code : {WindowCode::kCheckTape, WindowCode::kFormula}) {
            Windows().Register(code,
                               [this, code] { return new PlainWindow(window_->Context(), code); });
        }
        window_->show();
        window_->EnsureActivated();
    }
    WindowSwitcher& Windows() { return window_->Context().windows(); }
    std::string List() const { return session_->openWindows().text(); }
    // A key pressed in a window, as the user would press it there.
    static void Press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QTest::keyClick(window, key, mods);
        QApplication::processEvents();
    }
};

TEST_F(WindowSwitcherTest, ToggleOpensClosesAndOnlyRaisesWithFocusOnly) {
    StartWithWindows();
    Windows().Toggle(WindowCode::kCheckTape, false);
    ASSERT_TRUE(Windows().IsOpen(WindowCode::kCheckTape));
    EXPECT_EQ(List(), "1");
    Windows().Toggle(WindowCode::kCheckTape, true);  // already open: stays open
    EXPECT_TRUE(Windows().IsOpen(WindowCode::kCheckTape));
    Windows().Toggle(WindowCode::kCheckTape, false);
    QApplication::processEvents();
    EXPECT_FALSE(Windows().IsOpen(WindowCode::kCheckTape));
    EXPECT_EQ(List(), "");
    EXPECT_EQ(session_->store().ReadInteger("Test", "Closed1", 0), 1) << "settings on close";
    // A code nobody registered does nothing.
    Windows().Toggle(WindowCode::kMain, false);
    EXPECT_FALSE(Windows().IsOpen(WindowCode::kMain));
}

TEST_F(WindowSwitcherTest, F8ClosesTheMostRecentlyActivatedWindowFirstThenAsksToEnd) {
    StartWithWindows();
    Windows().Toggle(WindowCode::kCheckTape, false);
    Windows().Toggle(WindowCode::kFormula, false);
    Windows().NoteActivated(WindowCode::kCheckTape);  // the tape window activated again
    EXPECT_EQ(List(), "41");
    window_->FormKeyDown(vk::kF8, {});
    QApplication::processEvents();
    EXPECT_FALSE(Windows().IsOpen(WindowCode::kCheckTape));
    EXPECT_TRUE(Windows().IsOpen(WindowCode::kFormula));
    Press(Windows().Window(WindowCode::kFormula), Qt::Key_F8);  // F8 in a secondary window
    EXPECT_FALSE(Windows().IsOpen(WindowCode::kFormula));
    EXPECT_EQ(List(), "");
    // With no window left, the primary asks; No keeps it running.
    bool asked = false;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            asked = true;
            box->button(QMessageBox::No)->click();
        }
    });
    window_->FormKeyDown(vk::kF8, {});
    EXPECT_TRUE(asked);
    EXPECT_TRUE(window_->isVisible());
}

TEST_F(WindowSwitcherTest, SharedKeysInASecondaryWindow) {
    StartWithWindows();
    Windows().Toggle(WindowCode::kCheckTape, false);
    QWidget* tape = Windows().Window(WindowCode::kCheckTape);
    ASSERT_NE(tape, nullptr);
    const QPoint at = tape->pos();
    Press(tape, Qt::Key_Right, Qt::ControlModifier);
    Press(tape, Qt::Key_Down, Qt::ControlModifier);
    EXPECT_EQ(tape->pos(), at + QPoint(10, 10));
    Press(tape, Qt::Key_F2);  // another window's key opens that window
    EXPECT_TRUE(Windows().IsOpen(WindowCode::kFormula));
    Press(tape, Qt::Key_F1);  // its own key closes it
    EXPECT_FALSE(Windows().IsOpen(WindowCode::kCheckTape));
    Press(Windows().Window(WindowCode::kFormula), Qt::Key_Escape);
    EXPECT_FALSE(Windows().IsOpen(WindowCode::kFormula));
    // F1 in the main window opens the tape window.
    window_->FormKeyDown(vk::kF1, {});
    EXPECT_TRUE(Windows().IsOpen(WindowCode::kCheckTape));
}

TEST_F(WindowSwitcherTest, TheWindowsOfTheLastRunReopenInTheirOrderAndHideTogether) {
    StartWithWindows("[StartUp]\r\nStartUpEndOn=1\r\nKasaneAwase=421\r\n");
    EXPECT_TRUE(Windows().IsOpen(WindowCode::kCheckTape));
    EXPECT_TRUE(Windows().IsOpen(WindowCode::kFormula));
    EXPECT_EQ(List(), "41") << "the key dialog is never reopened: skipped";
    Windows().ShowAll(false);
    EXPECT_FALSE(Windows().Window(WindowCode::kCheckTape)->isVisible());
    EXPECT_FALSE(window_->isVisible());
    Windows().ShowAll(true);
    EXPECT_TRUE(Windows().Window(WindowCode::kFormula)->isVisible());
    EXPECT_EQ(List(), "41") << "showing them all does not reorder the list";
    // At the end the list is kept and every open window writes its settings.
    window_->close();
    const std::string ini = [&] {
        std::ifstream in(dataRoot_ / "PemuFiles/_sys/Pemu.ini", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }();
    EXPECT_NE(ini.find("KasaneAwase=41"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Closed1=1"), std::string::npos) << ini;
    EXPECT_NE(ini.find("Closed4=1"), std::string::npos) << ini;
}

}  // namespace
}  // namespace pemu::ui::testing_support
