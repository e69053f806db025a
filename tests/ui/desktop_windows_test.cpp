// The calculator on a desktop: the windows it owns, places kept, every menu item with a key of
// its own, typed percent, the picture a key releases, and paste.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <fstream>
#include <map>

#include "main_window_fixture.hpp"
#include "shell/settings_keys.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/secondary_window.hpp"

namespace pemu::ui::testing_support {
namespace {

namespace fs = std::filesystem;
using shell::WindowCode;

constexpr WindowCode kAllWindows[] = {
    WindowCode::kCheckTape,   WindowCode::kFormula,       WindowCode::kEnlargedDisplay,
    WindowCode::kLogViewer,   WindowCode::kTaxRate,       WindowCode::kVersion,
    WindowCode::kSkinChooser, WindowCode::kKeyAssignment, WindowCode::kUpdate,
};

class DesktopTest : public MainWindowTest {
  protected:
    void StartWithSettings(const std::string& ini) {
        fs::create_directories(dataRoot_ / "PemuFiles/_sys");
        std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini") << ini;
        StartWith(nullptr);
    }
    WindowSwitcher& Windows() { return window_->Context().windows(); }
    SecondaryWindow* OpenWindow(WindowCode code) {
        Windows().Open(code);
        QApplication::processEvents();
        return Windows().Window(code);
    }
    void CloseWindow(WindowCode code) {
        Windows().Close(code);
        QApplication::processEvents();
    }
    // A key as the X server delivers it: the physical key's scan code and the text typed.
    void SendKey(QEvent::Type type, int qtKey, Qt::KeyboardModifiers mods, int scanCode,
                 const QString& text) {
        QKeyEvent event(type, qtKey, mods, scanCode, 0, 0, text);
        QApplication::sendEvent(window_->FocusField(), &event);
    }
};

TEST_F(DesktopTest, EveryWindowBelongsToTheCalculatorAndStaysSoWhenOnTopChanges) {
    Start();
    for (WindowCode code : kAllWindows) {
        SecondaryWindow* window = OpenWindow(code);
        ASSERT_TRUE(window) << shell::CodeOf(code);
        EXPECT_TRUE(window->isWindow()) << shell::CodeOf(code);
        EXPECT_EQ(window->parentWidget(), window_.get()) << shell::CodeOf(code);
        ASSERT_TRUE(window->windowHandle()) << shell::CodeOf(code);
        EXPECT_EQ(window->windowHandle()->transientParent(), window_->windowHandle())
            << shell::CodeOf(code);
    }
    // Always on top off and on again: the calculator keeps its native window, so the windows
    // it owns stay transient for a window that exists.
    QWindow* const native = window_->windowHandle();
    const WId id = window_->winId();
    QAction* onTop = window_->Menu().IsForeground;
    for (int i = 0; i < 2; ++i) {
        onTop->trigger();
        QApplication::processEvents();
        EXPECT_EQ(window_->windowFlags().testFlag(Qt::WindowStaysOnTopHint), onTop->isChecked());
        EXPECT_EQ(window_->windowHandle()->flags().testFlag(Qt::WindowStaysOnTopHint),
                  onTop->isChecked());
        EXPECT_EQ(window_->windowHandle(), native);
        EXPECT_EQ(window_->winId(), id);
        EXPECT_TRUE(window_->isVisible());
    }
    EXPECT_EQ(Windows().Window(WindowCode::kCheckTape)->windowHandle()->transientParent(), native);
    // Closing them all leaves the calculator alone and running.
    Windows().CloseAll();
    EXPECT_TRUE(window_->isVisible());
}

// The letters after "&" of a menu's items.
std::map<QChar, QStringList> MnemonicsOf(const QList<QAction*>& actions) {
    std::map<QChar, QStringList> letters;
    for (const QAction* action : actions) {
        const QString text = action->text();
        for (qsizetype i = text.indexOf('&'); i >= 0 && i + 1 < text.size();
             i = text.indexOf('&', i + 2)) {
            if (text[i + 1] == '&') continue;
            letters[text[i + 1].toUpper()] << text;
            break;
        }
    }
    return letters;
}

TEST_F(DesktopTest, EveryItemOfEveryMenuHasAKeyOfItsOwn) {
    Start();
    for (WindowCode code : kAllWindows)
        OpenWindow(code);
    int menus = 0;
    const auto check = [&](const QString& where, const QList<QAction*>& actions) {
        ++menus;
        for (const auto& [letter, items] : MnemonicsOf(actions))
            EXPECT_EQ(items.size(), 1)
                << where.toStdString() << ": &" << QString(letter).toStdString() << " on "
                << items.join(" / ").toStdString();
    };
    for (const QMenuBar* bar : window_->findChildren<QMenuBar*>())
        check(bar->window()->windowTitle() + " menu bar", bar->actions());
    for (const QMenu* menu : window_->findChildren<QMenu*>())
        check(menu->window()->windowTitle() + " " + menu->title(), menu->actions());
    EXPECT_GT(menus, 15) << "the windows' menus were not all seen";
}

TEST_F(DesktopTest, EveryItemOfEveryMenuCanBeChosenByItsKey) {
    Start();
    for (WindowCode code : kAllWindows)
        OpenWindow(code);
    // A list of sizes ("12", "22pt") is walked with the arrows; every other item that can be
    // chosen has a letter.
    QStringList without;
    for (const QMenu* menu : window_->findChildren<QMenu*>()) {
        for (QAction* action : menu->actions()) {
            const QString text = action->text();
            if (action->isSeparator() || !action->isVisible() || text.front().isDigit()) continue;
            if (MnemonicsOf({action}).empty())
                without << menu->parentWidget()->window()->windowTitle() + " / " + menu->title() +
                               ": " + text;
        }
    }
    EXPECT_TRUE(without.isEmpty()) << without.join("\n").toStdString();
}

// The frame of a window as it stands, whole within the screen's work area.
bool WholeOnScreen(const QWidget* window) {
    return window->screen()->availableGeometry().contains(window->frameGeometry());
}

TEST_F(DesktopTest, AStoredPlaceOffTheScreenOpensOnIt) {
    StartWithSettings(
        "[StartUp]\r\nStartUpEndOn=1\r\nStartUpTop=-99999\r\nStartUpLeft=5000\r\n"
        "[Value]\r\nKenzanTop=-30\r\nKenzanLeft=99999\r\n"
        "LogViewTop=-99999\r\nLogViewLeft=-99999\r\n");
    EXPECT_TRUE(WholeOnScreen(window_.get()))
        << "the calculator at " << window_->x() << ", " << window_->y();
    for (WindowCode code : {WindowCode::kCheckTape, WindowCode::kLogViewer}) {
        const SecondaryWindow* window = OpenWindow(code);
        ASSERT_TRUE(window);
        EXPECT_TRUE(WholeOnScreen(window))
            << shell::CodeOf(code) << " at " << window->x() << ", " << window->y();
    }
    const QRect work = window_->screen()->availableGeometry();
    EXPECT_EQ(Windows().Window(WindowCode::kCheckTape)->y(), work.top()) << "title bar shown";
    EXPECT_EQ(Windows().Window(WindowCode::kLogViewer)->pos(), work.topLeft());
}

TEST_F(DesktopTest, OpeningAndClosingKeepsWhatWasStored) {
    StartWithSettings(
        "[StartUp]\r\nStartUpEndOn=1\r\n[Value]\r\nKenzanTop=40\r\nKenzanLeft=30\r\n"
        "LogViewTop=20\r\nLogViewLeft=10\r\n");
    const shell::SettingsStore& store = session_->store();
    using namespace shell::keys;
    for (int round = 0; round < 5; ++round) {
        for (WindowCode code : {WindowCode::kCheckTape, WindowCode::kLogViewer}) {
            ASSERT_TRUE(OpenWindow(code));
            CloseWindow(code);
        }
        EXPECT_EQ(Read(store, kKenzanTop), 40) << round;
        EXPECT_EQ(Read(store, kKenzanLeft), 30) << round;
        EXPECT_EQ(Read(store, kKenzanClientWidth), kKenzanClientWidth.def) << round;
        EXPECT_EQ(Read(store, kKenzanClientHeight), kKenzanClientHeight.def) << round;
        EXPECT_EQ(Read(store, kLogViewTop), 20) << round;
        EXPECT_EQ(Read(store, kLogViewLeft), 10) << round;
        // 283 is the client width; 287 the smallest outer width, not a client width.
        EXPECT_EQ(Read(store, kLogViewWidth), 283) << round;
        EXPECT_EQ(Read(store, kLogViewHeight), 689) << round;
    }
}

TEST_F(DesktopTest, TheKeyThatGoesUpReleasesThePictureItPressed) {
    Start();
    // US layout: Shift+8 types "*"; Shift let go first, the same key comes up as "8".
    constexpr int kEightKey = 17;  // X11 key code of the physical key
    SendKey(QEvent::KeyPress, Qt::Key_Asterisk, Qt::ShiftModifier, kEightKey, "*");
    EXPECT_TRUE(window_->Keys().IsPressed(19));
    SendKey(QEvent::KeyRelease, Qt::Key_8, Qt::NoModifier, kEightKey, "8");
    EXPECT_FALSE(window_->Keys().IsPressed(19)) << "the x picture stayed down";
    EXPECT_FALSE(window_->Keys().IsPressed(34));
    // Held until it repeats after Shift went up: the repeat is an 8, and the x goes up.
    SendKey(QEvent::KeyPress, Qt::Key_Asterisk, Qt::ShiftModifier, kEightKey, "*");
    QKeyEvent repeat(QEvent::KeyPress, Qt::Key_8, Qt::NoModifier, kEightKey, 0, 0, "8", true);
    QApplication::sendEvent(window_->FocusField(), &repeat);
    EXPECT_FALSE(window_->Keys().IsPressed(19));
    EXPECT_TRUE(window_->Keys().IsPressed(34));
    SendKey(QEvent::KeyRelease, Qt::Key_8, Qt::NoModifier, kEightKey, "8");
    EXPECT_FALSE(window_->Keys().IsPressed(34));
    // Two keys held: each one's release lifts its own picture only.
    constexpr int kFiveKey = 14, kSevenKey = 16;
    SendKey(QEvent::KeyPress, Qt::Key_Percent, Qt::ShiftModifier, kFiveKey, "%");
    SendKey(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, kSevenKey, "7");
    EXPECT_TRUE(window_->Keys().IsPressed(1));
    SendKey(QEvent::KeyRelease, Qt::Key_7, Qt::NoModifier, kSevenKey, "7");
    EXPECT_TRUE(window_->Keys().IsPressed(1));
    EXPECT_FALSE(window_->Keys().IsPressed(33));
    SendKey(QEvent::KeyRelease, Qt::Key_5, Qt::NoModifier, kFiveKey, "5");
    EXPECT_FALSE(window_->Keys().IsPressed(1));
}

TEST_F(DesktopTest, CtrlVAndShiftInsertKeyTheClipboardsNumberIn) {
    Start();
    QClipboard* clipboard = QGuiApplication::clipboard();
    const auto paste = [&](const QString& text, Qt::Key key, Qt::KeyboardModifiers mods) {
        clipboard->setText(text);
        Type(key, mods);
        return Shown();
    };
    Type(Qt::Key_1);
    Type(Qt::Key_0);
    Type(Qt::Key_0);
    Type(Qt::Key_Plus, Qt::ShiftModifier);
    EXPECT_EQ(paste(QStringLiteral("１，２３４．５"), Qt::Key_V, Qt::ControlModifier), "1234.5");
    EXPECT_EQ(paste(QStringLiteral("12,34"), Qt::Key_Insert, Qt::ShiftModifier), "1234.5")
        << "refused, the display unchanged";
    EXPECT_EQ(window_->Calculator().State().errorCode, core::ErrorCode::kNoError);
    EXPECT_EQ(paste(QStringLiteral(" -250 "), Qt::Key_Insert, Qt::ShiftModifier), "-250");
    Type(Qt::Key_Return);
    EXPECT_EQ(Shown(), "-150");
    EXPECT_NE(window_->TapeText().find("250"), std::string::npos) << "the tape records the paste";
    for (int code : {2, 14, 21, 27, 36})
        EXPECT_FALSE(window_->Keys().IsPressed(code)) << code;
    // Insert alone stays the sign change key.
    Type(Qt::Key_Insert);
    EXPECT_EQ(Shown(), "150");
}

}  // namespace
}  // namespace pemu::ui::testing_support
