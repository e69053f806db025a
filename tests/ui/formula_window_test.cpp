// The formula window through its real controls: typing and Ctrl+Enter, the outcome shown,
// grouping, the buttons, the formula text file, the settings' read rules, the captions
// that follow the key-logic family, resizing; and its runner, which keeps a long run off
// the user-interface thread.
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QThreadPool>
#include <atomic>
#include <fstream>
#include <future>
#include <iterator>

#include "formula/formula_display.hpp"
#include "main_window_fixture.hpp"
#include "platform/codec.hpp"
#include "platform/virtual_keys.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/formula_runner.hpp"
#include "ui/windows/formula_window.hpp"

// Failures show the text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace pemu::ui::testing_support {
namespace {

namespace fs = std::filesystem;
using shell::WindowCode;

QString U(const char* utf8) {
    return QString::fromUtf8(utf8);
}

std::string ReadBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class FormulaWindowTest : public MainWindowTest {
  protected:
    // The calculator started on a settings file holding `ini`.
    void StartOn(const std::string& ini = "") {
        fs::create_directories(SysFolder());
        std::ofstream(SysFolder() / "Pemu.ini", std::ios::binary) << ini;
        StartWith(nullptr);
    }
    fs::path SysFolder() const { return dataRoot_ / "PemuFiles/_sys"; }
    fs::path FormulaFile() const { return SysFolder() / "SushikiText.txt"; }

    WindowSwitcher& Windows() { return window_->Context().windows(); }
    TfrmSushiki* Open() {
        Windows().Toggle(WindowCode::kFormula, false);
        QApplication::processEvents();
        return Formula();
    }
    TfrmSushiki* Formula() {
        return qobject_cast<TfrmSushiki*>(Windows().Window(WindowCode::kFormula));
    }
    void Close() {
        QTest::keyClick(Formula(), Qt::Key_Escape);
        QApplication::processEvents();
        ASSERT_EQ(Formula(), nullptr);
    }
    template <typename T>
    T* Child(const char* name) {
        T* child = Formula()->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QPlainTextEdit* Area(const char* name) { return Child<QPlainTextEdit>(name); }
    QString Text(const char* area) { return Area(area)->toPlainText(); }
    void ClickButton(const char* name) {
        QTest::mouseClick(Child<QPushButton>(name), Qt::LeftButton);
    }

    // The formula typed with key presses, then Ctrl+Enter, and the outcome waited for.
    void Calculate(const QString& formula) {
        QPlainTextEdit* calc = Area("Calc");
        // Characters the keyboard cannot type come from the input buttons.
        QString typed = formula;
        if (calc->toPlainText() == U("√") && typed.startsWith(U("√"))) {
            typed.remove(0, 1);
            calc->moveCursor(QTextCursor::End);
        } else {
            calc->clear();
        }
        const QStringList lines = typed.split('\n');
        for (qsizetype i = 0; i < lines.size(); ++i) {
            if (i > 0) QTest::keyClick(calc, Qt::Key_Return);
            QTest::keyClicks(calc, lines[i]);
        }
        QTest::keyClick(calc, Qt::Key_Return, Qt::ControlModifier);
        WaitForOutcome();
    }
    void WaitForOutcome(int limitMs = 60000) {
        QElapsedTimer clock;
        clock.start();
        while (Formula()->Calculating() && clock.elapsed() < limitMs)
            QTest::qWait(5);
        ASSERT_FALSE(Formula()->Calculating()) << "no outcome within " << limitMs << " ms";
    }
    // A [Value] key of the settings the run works on.
    int Stored(const char* key, int fallback) const {
        return session_->store().ReadInteger("Value", key, fallback);
    }
    QAction* MenuItem(const QString& text) {
        for (QAction* action : Formula()->findChildren<QAction*>())
            if (action->text() == text) return action;
        ADD_FAILURE() << text.toStdString();
        return nullptr;
    }
};

TEST_F(FormulaWindowTest, F2MenuAndKeyCode26OpenItAndItsOwnKeysCloseIt) {
    StartOn();
    EXPECT_TRUE(window_->Menu().SushikiFormOpen->isEnabled());
    Type(Qt::Key_F2);
    ASSERT_NE(Formula(), nullptr);
    EXPECT_EQ(Formula()->windowTitle(), U("数式計算 :F2"));
    EXPECT_EQ(session_->openWindows().text(), "4");
    QTest::keyClick(Area("Calc"), Qt::Key_F2);  // F2 in the window closes it
    QApplication::processEvents();
    EXPECT_EQ(Formula(), nullptr);
    EXPECT_EQ(session_->openWindows().text(), "");

    window_->Calculator().ExecuteKey(26);  // the formula window key of the key table
    ASSERT_NE(Formula(), nullptr);
    QTest::keyClick(Area("Calc"), Qt::Key_Escape);
    QApplication::processEvents();
    EXPECT_EQ(Formula(), nullptr);

    window_->Menu().SushikiFormOpen->trigger();
    ASSERT_NE(Formula(), nullptr);
    EXPECT_TRUE(window_->Menu().SushikiFormOpen->isChecked());
    // The window sees keys before the input area: Ctrl+arrows move the window instead of
    // the caret, Shift+F2 hands the keyboard back and leaves the window open.
    const QPoint at = Formula()->pos();
    QTest::keyClick(Area("Calc"), Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(Formula()->pos(), at + QPoint(10, 0));
    QTest::keyClick(Area("Calc"), Qt::Key_F2, Qt::ShiftModifier);
    EXPECT_NE(Formula(), nullptr);
}

TEST_F(FormulaWindowTest, AWindowOpenAtTheEndKeepsItsTextsAndOpensAgainWithThem) {
    StartOn("[StartUp]\r\nStartUpEndOn=1\r\n");
    Open();
    Calculate("6/4*2");
    window_->close();
    EXPECT_EQ(ReadBytes(FormulaFile()), "[MSG]6/4*2[CLC]6/4*2[ANS]3[END]");
    window_.reset();
    session_.reset();
    StartWith(nullptr);
    ASSERT_NE(Formula(), nullptr) << "reopened from the list of the last run";
    EXPECT_EQ(Text("Calc"), "6/4*2");
    EXPECT_EQ(Text("Ans"), " 3");
}

TEST_F(FormulaWindowTest, ReopensAtStartWhenItWasOpenAtTheLastExit) {
    StartOn("[StartUp]\r\nStartUpEndOn=1\r\nKasaneAwase=4\r\n");
    EXPECT_NE(Formula(), nullptr);
}

TEST_F(FormulaWindowTest, AnOpenParenthesisIsClosedAndTheAnswerShown) {
    StartOn();
    Open();
    EXPECT_EQ(Child<QLabel>("LabMsg")->text(), U("計算式："));
    Calculate("1+(2");
    EXPECT_EQ(Child<QLabel>("LabMsg")->text(), U("計算式： OK"));
    EXPECT_EQ(Text("Msg"), "1+(2)");
    EXPECT_EQ(Text("Ans"), " 3");  // grouping 3 by default: a leading blank
    EXPECT_EQ(Formula()->LastAnswer(), "3");
    EXPECT_EQ(Text("Calc"), "1+(2") << "the input stays";
    // The run had its own precision: the calculator's stays as it was.
    EXPECT_EQ(window_->Calculator().Arith().workIntDigits, 20);
    EXPECT_EQ(window_->Calculator().Arith().workFracDigits, 20);
}

TEST_F(FormulaWindowTest, AnErrorShowsItsMessageAndMarksTheOffendingCharacter) {
    StartOn();
    Open();
    Calculate("2*/3");
    EXPECT_EQ(Child<QLabel>("LabMsg")->text(), U("計算式： NG"));
    EXPECT_EQ(Text("Msg"), U("[E706][構文] 連続した演算子が有ります。\n>>3文字目>> 2*<?>/3"));
    EXPECT_EQ(Text("Ans"), "error");
    EXPECT_EQ(Formula()->LastAnswer(), "error");
    // An error without a position has no marker; the formula follows the message.
    Calculate("1/0");
    EXPECT_EQ(Text("Msg"), U("[E000][計算] 0除算が発生しました。\n1/0"));
}

TEST_F(FormulaWindowTest, GroupingButtonsRegroupTheLastAnswer) {
    StartOn();
    Open();
    Calculate("1234567");
    EXPECT_EQ(Text("Ans"), " 1 234 567");
    ClickButton("Kugiri0");
    EXPECT_EQ(Text("Ans"), "1234567");
    ClickButton("Kugiri4");
    EXPECT_EQ(Text("Ans"), " 123 4567");
    Calculate("2*/3");
    EXPECT_EQ(Text("Ans"), "error") << "an error is never grouped";
}

TEST_F(FormulaWindowTest, TheTextsAreKeptAtCloseRestoredAtOpenAndDeletedWhenNotWanted) {
    StartOn("[Value]\r\nSushikiClientWidth=800\r\n");  // the message on one line
    Open();
    Calculate("1+\n(2");  // a line break in the input is kept as CR LF
    Close();
    EXPECT_EQ(ReadBytes(FormulaFile()), "[MSG]1+(2)[CLC]1+\r\n(2[ANS]3[END]");

    Open();
    EXPECT_EQ(Text("Msg"), "1+(2)");
    EXPECT_EQ(Text("Calc"), "1+\n(2");
    EXPECT_EQ(Text("Ans"), " 3");
    EXPECT_EQ(Formula()->LastAnswer(), "3");
    // The message and the marked formula, in CP932.
    ClickButton("btC");
    ClickButton("btIn_root");
    Calculate(U("√-2"));
    Close();
    EXPECT_EQ(ReadBytes(FormulaFile()),
              platform::Sjis("[MSG][E502][構文] √の直後のマイナスが曖昧です。\r\n>>3文字目>> "
                             "sq<?>-2[CLC]√-2[ANS]error[END]"));

    Open();
    QAction* keep = MenuItem(U("フォームを閉じた後も式を記憶する(&S)"));
    ASSERT_TRUE(keep && keep->isChecked());
    keep->trigger();
    Close();
    EXPECT_FALSE(fs::exists(FormulaFile()));
    EXPECT_FALSE(Stored("SushikiKioku", 1));
    Open();
    EXPECT_EQ(Text("Calc"), "") << "nothing kept, nothing loaded";
}

TEST_F(FormulaWindowTest, AFileWithoutAllFourMarkersGoesWholeIntoTheInput) {
    fs::create_directories(SysFolder());
    std::ofstream(FormulaFile(), std::ios::binary) << "[MSG]m[CLC]1+2[ANS]3";
    StartOn();
    Open();
    EXPECT_EQ(Text("Calc"), "[MSG]m[CLC]1+2[ANS]3");
    EXPECT_EQ(Text("Msg"), "");
    EXPECT_EQ(Text("Ans"), "");
}

TEST_F(FormulaWindowTest, InputButtonsInsertAtTheCaretOrOverTheSelection) {
    StartOn();
    Open();
    QPlainTextEdit* calc = Area("Calc");
    ClickButton("btIn_1");
    ClickButton("btIn_plus");
    ClickButton("btIn_sin");
    EXPECT_EQ(calc->toPlainText(), "1+sin");
    MenuItem(U("関数ボタンの入力に （ を付ける(&K)"))->trigger();
    ClickButton("btIn_cos");
    EXPECT_EQ(calc->toPlainText(), "1+sincos(");

    QTextCursor cursor = calc->textCursor();
    cursor.setPosition(1);
    cursor.setPosition(2, QTextCursor::KeepAnchor);  // the '+'
    calc->setTextCursor(cursor);
    ClickButton("btIn_pi");
    EXPECT_EQ(calc->toPlainText(), U("1πsincos("));
    ClickButton("btIn_newline");
    EXPECT_EQ(calc->toPlainText(), U("1π\nsincos("));

    // Editing: BS before the caret, DEL after it, the arrows move it.
    ClickButton("btBS");
    ClickButton("btLeft");
    ClickButton("btDel");
    EXPECT_EQ(calc->toPlainText(), U("1sincos("));
    ClickButton("btRight");
    ClickButton("btIn_root");
    EXPECT_EQ(calc->toPlainText(), U("1s√incos("));
}

TEST_F(FormulaWindowTest, ClearKeysAndButtons) {
    StartOn();
    Open();
    Calculate("1+2");
    QTest::keyClick(Area("Calc"), Qt::Key_Backspace, Qt::ControlModifier);  // CE
    EXPECT_EQ(Text("Calc"), "");
    EXPECT_EQ(Text("Ans"), " 3") << "CE empties only the input";
    QTest::keyClicks(Area("Calc"), "4");
    QTest::keyClick(Area("Calc"), Qt::Key_End, Qt::ControlModifier);  // C
    EXPECT_EQ(Text("Calc"), "");
    EXPECT_EQ(Text("Msg"), "");
    EXPECT_EQ(Text("Ans"), "");
    EXPECT_EQ(Formula()->LastAnswer(), "");
    QTest::keyClicks(Area("Calc"), "5");
    ClickButton("btCE");
    EXPECT_EQ(Text("Calc"), "");
}

TEST_F(FormulaWindowTest, TheClearCaptionsAndKeyHintsFollowTheFamilyWhileOpen) {
    StartOn("[Value]\r\nDentakuType=2\r\n");
    Open();
    EXPECT_EQ(Child<QPushButton>("btCE")->text(), "C(&E)");
    EXPECT_EQ(Child<QPushButton>("btC")->text(), "AC(&C)");
    const QImage casioStatus = Child<QLabel>("Status")->pixmap().toImage();
    window_->Calculator().SetMakerType(core::kMakerSharp);
    EXPECT_EQ(Child<QPushButton>("btCE")->text(), "CE(&E)");
    EXPECT_EQ(Child<QPushButton>("btC")->text(), "C(&C)");
    EXPECT_NE(Child<QLabel>("Status")->pixmap().toImage(), casioStatus) << "the key hints";
    window_->Calculator().SetMakerType(core::kMakerCasio);
    EXPECT_EQ(Child<QPushButton>("btC")->text(), "AC(&C)");
    EXPECT_EQ(Child<QLabel>("Status")->pixmap().toImage(), casioStatus);
}

struct StoredSettings {
    const char* ini;
    int group;
    int fontPixels;  // of the areas
    QColor background;
    int intMax;
    int fracMax;
};

TEST_F(FormulaWindowTest, StoredSettingsAreReadWithTheirRules) {
    const std::vector<StoredSettings> cases = {
        {"sKugirisuu=7\r\nSushikiFontSize=13\r\nsAnsColor=9\r\nsSeisubuMax=0\r\nsSyousubuMax=101",
         3, 19, QColor(192, 220, 192), 57, 57},
        {"sKugirisuu=0\r\nSushikiFontSize=22\r\nsAnsColor=4\r\nsSeisubuMax=1\r\nsSyousubuMax=100",
         0, 29, QColor(0, 0, 128), 1, 100},
        {"", 3, 19, QColor(192, 220, 192), 56, 28},
    };
    for (const StoredSettings& c : cases) {
        SCOPED_TRACE(c.ini);
        StartOn(std::string("[Value]\r\n") + c.ini + "\r\n");
        Open();
        EXPECT_TRUE(Child<QPushButton>(("Kugiri" + std::to_string(c.group)).c_str())->isChecked());
        EXPECT_EQ(Area("Msg")->font().pixelSize(), c.fontPixels);
        EXPECT_EQ(Area("Msg")->palette().color(QPalette::Base), c.background);
        EXPECT_EQ(Child<QComboBox>("MaxSeisubu")->currentText().toInt(), c.intMax);
        EXPECT_EQ(Child<QComboBox>("MaxSyosubu")->currentText().toInt(), c.fracMax);
        Close();
        EXPECT_EQ(Stored("sKugirisuu", -1), c.group);
        EXPECT_EQ(Stored("sSeisubuMax", -1), c.intMax);
        EXPECT_EQ(Stored("sSyousubuMax", -1), c.fracMax);
        window_.reset();
        session_.reset();
    }
}

TEST_F(FormulaWindowTest, TheMaximaSelectedAreTheRunsDigits) {
    StartOn();
    Open();
    Child<QComboBox>("MaxSeisubu")->setCurrentIndex(4);  // 5
    Child<QComboBox>("MaxSyosubu")->setCurrentIndex(2);  // 3
    Calculate("123456");
    EXPECT_EQ(Text("Msg").left(6), "[E981]");
    Calculate("1/3");
    EXPECT_EQ(Formula()->LastAnswer(), "0.333");
}

// Every line of an area at most `width` bytes in CP932, and no character split: the lines
// joined give the text unwrapped.
void ExpectWrapped(const QString& shown, const std::string& unwrapped, int width) {
    std::string joined;
    for (const QString& line : shown.split('\n')) {
        const std::string bytes = platform::Utf8ToCp932(line.toStdString());
        EXPECT_LE(static_cast<int>(bytes.size()), width) << line.toStdString();
        joined += bytes;
    }
    EXPECT_EQ(joined, unwrapped);
}

TEST_F(FormulaWindowTest, ANarrowWindowWrapsTheMessageAndTheAnswerAgain) {
    StartOn("[Value]\r\nSushikiClientWidth=900\r\nSushikiFontSize=22\r\n");
    TfrmSushiki* window = Open();
    Child<QComboBox>("MaxSyosubu")->setCurrentIndex(99);
    ClickButton("Kugiri0");
    Calculate("1/7+sin");  // E703: a message of double-byte characters, then the formula
    const int wide = window->WrapWidth();
    window->resize(1, 1);  // as small as it may be
    QApplication::processEvents();
    const int narrow = window->WrapWidth();
    ASSERT_LT(narrow, wide);
    ASSERT_GT(Text("Msg").count('\n'), 1);
    const std::string message = platform::Sjis("[E703][構文] 関数に引数が有りません。");
    ExpectWrapped(Text("Msg"), message + platform::Sjis(">>9文字目>> 1/7+sin<?>"), narrow);

    Calculate("1/7");
    const std::string answer = Formula()->LastAnswer();
    ASSERT_EQ(answer.size(), 102u);
    ExpectWrapped(Text("Ans"), answer, narrow);
    window->resize(900, 700);
    QApplication::processEvents();
    EXPECT_EQ(Text("Ans").count('\n'), static_cast<int>(answer.size()) / window->WrapWidth())
        << "wrapped again to the wider width";
}

TEST_F(FormulaWindowTest, TheWindowKeepsItsMinimumSizeAndTheMessageAreaFollowsTheFont) {
    StartOn(
        "[Value]\r\nSushikiFontSize=10\r\nSushikiClientWidth=600\r\nSushikiClientHeigh=620\r\n");
    TfrmSushiki* window = Open();
    QWidget* client = Child<QWidget>("Client");
    EXPECT_EQ(client->size(), QSize(600, 620));
    QPlainTextEdit* msg = Area("Msg");
    const int digit = msg->fontMetrics().height();
    EXPECT_EQ(msg->height(), 7 * digit + 2);
    EXPECT_EQ(Child<QFrame>("MsgWaku")->height(), 7 * digit + 2 + 13);
    QWidget* digits = Child<QWidget>("DigitPanel");
    QWidget* buttons = Child<QWidget>("ButtonPanel");
    window->resize(1, 1);
    QApplication::processEvents();
    EXPECT_EQ(client->width(), digits->geometry().right() + 1 + 124);
    EXPECT_EQ(client->height(), buttons->geometry().bottom() + 1 + 81);
    EXPECT_EQ(buttons->geometry().right() + 1, client->width()) << "at the right edge";
    EXPECT_LE(client->width(), 567) << "the stored default size is not below the minimum";
    // A larger font makes the message area fewer lines high.
    MenuItem("22pt")->trigger();
    EXPECT_EQ(msg->height(), 3 * msg->fontMetrics().height() + 2);
    const int width = client->width();
    Close();
    EXPECT_EQ(Stored("SushikiFontSize", 0), 22);
    EXPECT_EQ(Stored("SushikiClientWidth", 0), width);
}

void Drag(QWidget* widget, QPoint from, QPoint to) {
    QTest::mousePress(widget, Qt::LeftButton, {}, from);
    QTest::mouseMove(widget, to);
    QTest::mouseRelease(widget, Qt::LeftButton, {}, to);
}

TEST_F(FormulaWindowTest, DraggingTheBackgroundMovesTheWindowAndTheGripResizesIt) {
    StartOn();
    TfrmSushiki* window = Open();
    QWidget* client = Child<QWidget>("Client");
    const QPoint at = window->pos();
    Drag(client, QPoint(300, 5), QPoint(340, 25));
    EXPECT_EQ(window->pos(), at + QPoint(40, 20));

    QLabel* grip = Child<QLabel>("SizeChangeMark");
    const QSize size = window->size();
    Drag(grip, QPoint(5, 5), QPoint(65, 35));
    EXPECT_EQ(window->size(), size + QSize(60, 30));
}

// The runner with a run held back until the test lets it finish.
class FormulaRunnerTest : public MainWindowTest {
  protected:
    FormulaRunner::Compute HeldBack() {
        return [released = released_, this](const std::string& text,
                                            const formula::FormulaSettings& settings) {
            started_ = true;
            released.wait();
            return FormulaRunner::RunWithOwnPrecision(text, settings);
        };
    }
    static void WaitUntilDone(const FormulaRunner& runner) {
        QElapsedTimer clock;
        clock.start();
        while (runner.Running() && clock.elapsed() < 10000)
            QTest::qWait(5);
    }
    std::promise<void> release_;
    std::shared_future<void> released_ = release_.get_future().share();
    std::atomic<bool> started_{false};
    std::vector<std::string> answers_;
};

TEST_F(FormulaRunnerTest, ALongRunShowsTheBusyCursorWhileEverythingElseGoesOn) {
    FormulaRunner runner([this](const formula::FormulaOutcome& o) { answers_.push_back(o.result); },
                         HeldBack());
    ASSERT_TRUE(runner.Start("1+(2", {{20, 20}, 0}));
    EXPECT_FALSE(runner.Start("3+4", {{20, 20}, 0})) << "one run at a time";
    // The busy cursor is put up by a timer of the user-interface thread while the run is
    // held back: the thread is free meanwhile.
    QTRY_VERIFY_WITH_TIMEOUT(QGuiApplication::overrideCursor() != nullptr, 10000);
    EXPECT_TRUE(started_);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
    EXPECT_TRUE(answers_.empty());
    release_.set_value();
    WaitUntilDone(runner);
    EXPECT_EQ(answers_, std::vector<std::string>{"3"});
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the cursor is back";
}

TEST_F(FormulaRunnerTest, AQuickRunShowsNoBusyCursor) {
    FormulaRunner runner(
        [this](const formula::FormulaOutcome& o) { answers_.push_back(o.result); });
    ASSERT_TRUE(runner.Start("2*3", {{20, 20}, 0}));
    bool busySeen = false;
    while (runner.Running()) {
        QTest::qWait(1);
        busySeen = busySeen || QGuiApplication::overrideCursor() != nullptr;
    }
    EXPECT_FALSE(busySeen);
    EXPECT_EQ(answers_, std::vector<std::string>{"6"});
}

TEST_F(FormulaRunnerTest, ARunWhoseWindowClosedIsDropped) {
    auto runner = std::make_unique<FormulaRunner>(
        [this](const formula::FormulaOutcome& o) { answers_.push_back(o.result); }, HeldBack());
    ASSERT_TRUE(runner->Start("1+1", {{20, 20}, 0}));
    QTest::qWait(FormulaRunner::kBusyCursorDelayMs + 50);
    runner.reset();
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
    release_.set_value();
    QThreadPool::globalInstance()->waitForDone();
    QTest::qWait(20);
    EXPECT_TRUE(answers_.empty());
}

}  // namespace
}  // namespace pemu::ui::testing_support
