// The check tape window on a real calculator window under the offscreen platform: its
// layout, the pixels of numbers, two colours and reference lines, the command panel and the
// input box worked from the keyboard, the settings it keeps, and the main window's tape keys.
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <fstream>
#include <sstream>

#include "core/key_session.hpp"
#include "main_window_fixture.hpp"
#include "platform/codec.hpp"
#include "ui/face_widget.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/kenzan_window.hpp"
#include "ui/windows/tape_command_panel.hpp"
#include "ui/windows/tape_grid_widget.hpp"
#include "ui/windows/tape_input_box.hpp"

namespace pemu::ui::testing_support {
namespace {

namespace fs = std::filesystem;
using platform::Cp932ToUtf8;
using shell::WindowCode;

// A part of the window, found by the object name it carries.
template <typename T = QWidget>
T* Part(const QObject* window, const char* name) {
    T* part = window->findChild<T*>(QString::fromLatin1(name));
    if (part == nullptr) ADD_FAILURE() << "no part named " << name;
    return part;
}

// The option menu as it opens: its items checked for the settings in force.
bool ShownChecked(const QObject* window, const char* item) {
    emit Part<QMenu>(window, "OptionMenu")->aboutToShow();
    return Part<QAction>(window, item)->isChecked();
}

class KenzanWindowTest : public MainWindowTest {
  protected:
    // The calculator with `ini` as its settings; no date lines unless the test asks, and
    // plain result lines (no grand total).
    void StartWithSettings(const std::string& ini = "") {
        fs::create_directories(dataRoot_ / "PemuFiles/_sys");
        std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini")
            << "[Value]\r\nKenzanAutoDate=0\r\nGrandTotal=0\r\n"
            << ini;
        StartWith(nullptr);
    }
    TfrmKenzan* Open() {
        window_->Context().windows().Toggle(WindowCode::kCheckTape, false);
        QApplication::processEvents();
        auto* tape =
            dynamic_cast<TfrmKenzan*>(window_->Context().windows().Window(WindowCode::kCheckTape));
        EXPECT_NE(tape, nullptr);
        if (tape) Activate(tape);
        return tape;
    }
    static void Activate(QWidget* window) {
        window->activateWindow();
        QApplication::processEvents();
    }
    // Key tokens as pemu-calc keys takes them, through the main window's engine.
    void Keys(const std::string& tokens) {
        std::istringstream in(tokens);
        for (std::string token; in >> token;) {
            std::vector<int> codes;
            ASSERT_TRUE(core::KeyCodesOfToken(token, codes)) << token;
            for (int code : codes)
                window_->Calculator().ExecuteKey(code);
        }
    }
    std::string TapeUtf8() const {
        std::string text = Cp932ToUtf8(window_->Context().tape().Log().TapeText());
        std::string lines;
        for (char ch : text)
            if (ch != '\r') lines += ch;
        return lines;
    }
    // A key as the user presses it on the widget that has the focus in `window`.
    static void Press(QWidget* window, Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = window->focusWidget() ? window->focusWidget() : window;
        QTest::keyClick(target, key, mods);
        QApplication::processEvents();
    }
    static void TypeText(QWidget* window, const char* text) {
        QTest::keyClicks(window->focusWidget(), text);
        QApplication::processEvents();
    }
    // A left click on grid row `row` (1-based).
    static void ClickRow(TfrmKenzan* tape, int row) {
        TapeGridWidget* grid = Part<TapeGridWidget>(tape, "GridImage");
        QTest::mouseClick(grid, Qt::LeftButton, {},
                          QPoint(grid->ColumnX(1) + 20, grid->RowY(row - 1) + 5));
        QApplication::processEvents();
    }
    // The grid row showing the line numbered `number`.
    static int RowOf(TfrmKenzan* tape, int number) {
        const auto rows = tape->View().Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].number == number) return static_cast<int>(i) + 1;
        return 0;
    }
    // Answers the next message box with OK and keeps its caption and text.
    void ExpectMessage() {
        QTimer::singleShot(0, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                message_ = box->windowTitle().toStdString() + "|" + box->text().toStdString();
                box->button(QMessageBox::Ok)->click();
            }
        });
    }
    static std::string Focused(TfrmKenzan* tape) {
        return tape->focusWidget() ? tape->focusWidget()->objectName().toStdString() : "";
    }

    std::string message_;
};

// Pixels of one grid cell, inside its rules.
QImage Cell(TfrmKenzan* tape, int column, int row) {
    TapeGridWidget* grid = Part<TapeGridWidget>(tape, "GridImage");
    const QRect cell(grid->ColumnX(column) + 2, grid->RowY(row - 1) + 2,
                     grid->ColumnX(column + 1) - grid->ColumnX(column) - 4,
                     grid->RowY(row) - grid->RowY(row - 1) - 4);
    return grid->Image().copy(cell);
}

int CountPixels(const QImage& image, const std::function<bool(QColor)>& wanted) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += wanted(image.pixelColor(x, y)) ? 1 : 0;
    return count;
}

bool Reddish(QColor c) {
    return c.red() > 200 && c.green() < 120 && c.blue() < 120;
}

TEST_F(KenzanWindowTest, OpensFromTheMenuAndTheKeyFollowsTheTapeAndCostsNothingClosed) {
    StartWithSettings();
    tape::TapeRecorder& recorder = window_->Context().tape();
    const std::size_t observers = recorder.ListenerCount();
    Keys("1 + 2 =");
    window_->Menu().KenzanFormOpen->trigger();
    QApplication::processEvents();
    auto* tape =
        dynamic_cast<TfrmKenzan*>(window_->Context().windows().Window(WindowCode::kCheckTape));
    ASSERT_NE(tape, nullptr);
    EXPECT_EQ(tape->windowTitle(), QString::fromUtf8("検算 :F1"));
    EXPECT_EQ(tape->View().Rows().size(), 3u);  // lines already on the tape
    Keys("3 * 4 =");
    // The new calculation is drawn at once: separator, 3, 4 and the result.
    ASSERT_EQ(tape->View().Rows().size(), 7u);
    EXPECT_EQ(Cp932ToUtf8(tape->View().Rows().back().text), "12 ＊　 　");
    EXPECT_EQ(tape->View().CursorRow(), 7);
    // The check tape key on the face closes it again; nothing stays listening.
    QTest::mouseClick(KeyWidget(10), Qt::LeftButton);
    QApplication::processEvents();
    EXPECT_FALSE(window_->Context().windows().IsOpen(WindowCode::kCheckTape));
    EXPECT_EQ(recorder.ListenerCount(), observers);
    Keys("5 + 6 =");
    // F1 in the main window opens it, F1 in it closes it.
    window_->FormKeyDown(vk::kF1, {});
    QApplication::processEvents();
    ASSERT_TRUE(window_->Context().windows().IsOpen(WindowCode::kCheckTape));
    tape = dynamic_cast<TfrmKenzan*>(window_->Context().windows().Window(WindowCode::kCheckTape));
    EXPECT_EQ(tape->View().Rows().size(), 11u);
    EXPECT_EQ(recorder.ListenerCount(), observers + 2);
    Press(tape, Qt::Key_F1);
    EXPECT_FALSE(window_->Context().windows().IsOpen(WindowCode::kCheckTape));
}

TEST_F(KenzanWindowTest, RowsFitTheHeightTheScrollBarOnlyWhenNeededAndTheCursorFollowsTheFont) {
    StartWithSettings();
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    EXPECT_EQ(Part(tape, "Client")->size(), QSize(380, 660));
    const int rowHeight = Part<TapeGridWidget>(tape, "GridImage")->RowHeight();
    const int rows = tape->View().VisibleRows();
    EXPECT_EQ(rows, (Part<QPushButton>(tape, "CloseRun")->y() - 2) / rowHeight);
    EXPECT_EQ(Part<TapeGridWidget>(tape, "GridImage")->height(), rowHeight * rows + 1);
    EXPECT_EQ(Part<TapeGridWidget>(tape, "GridImage")->width() +
                  Part<QScrollBar>(tape, "ScrBar")->width() + 1,
              380);
    EXPECT_GT(Part(tape, "Status")->width(), 0);
    // An empty tape and a short one: the disabled stand-in, no scroll bar.
    EXPECT_TRUE(Part<QScrollBar>(tape, "Dummy")->isVisible());
    EXPECT_FALSE(Part<QScrollBar>(tape, "ScrBar")->isVisible());
    EXPECT_FALSE(Part<QScrollBar>(tape, "Dummy")->isEnabled());
    for (int i = 0; i < rows + 5; ++i)
        Keys("1 +");
    EXPECT_TRUE(Part<QScrollBar>(tape, "ScrBar")->isVisible());
    EXPECT_FALSE(Part<QScrollBar>(tape, "Dummy")->isVisible());
    EXPECT_EQ(Part<QScrollBar>(tape, "ScrBar")->value(), tape->View().Rows().front().number);
    EXPECT_EQ(tape->View().CursorRow(), rows);
    // A bigger font: fewer rows, and the cursor on the last row comes up with them.
    Part<QAction>(tape, "FontSize40")->trigger();
    EXPECT_TRUE(ShownChecked(tape, "FontSize40"));
    EXPECT_GT(Part<TapeGridWidget>(tape, "GridImage")->RowHeight(), rowHeight);
    EXPECT_LT(tape->View().VisibleRows(), rows);
    EXPECT_EQ(tape->View().CursorRow(), tape->View().VisibleRows());
    // A lower window keeps the rule: rows fit above the buttons.
    tape->resize(tape->width(), tape->height() - 100);
    QApplication::processEvents();
    EXPECT_EQ(tape->View().VisibleRows(), (Part<QPushButton>(tape, "CloseRun")->y() - 2) /
                                              Part<TapeGridWidget>(tape, "GridImage")->RowHeight());
    // It goes no smaller than 380 x 525 with its frame.
    tape->resize(100, 100);
    QApplication::processEvents();
    const QSize outer = tape->frameGeometry().size();
    EXPECT_GE(outer.width(), 380);
    EXPECT_GE(outer.height(), 525);
    // The scroll bar scrolls the view: to a line, and beside the slider by the wheel step.
    Part<QAction>(tape, "Scroll4")->trigger();
    Part<QScrollBar>(tape, "ScrBar")->setValue(3);
    EXPECT_EQ(tape->View().Rows().front().number, 3);
    Part<QScrollBar>(tape, "ScrBar")->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ(tape->View().Rows().front().number, 7);
    EXPECT_EQ(Part<QScrollBar>(tape, "ScrBar")->value(), 7);
}

TEST_F(KenzanWindowTest, NumbersCountFromTheFirstLineAfterTheSeparatorEveryTenthGrey) {
    StartWithSettings();
    Keys("1 + 2 + 3 + 4 + 5 + 6 + 7 + 8 + 9 + 10 + 11 + 12 +");
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    const auto rows = tape->View().Rows();
    ASSERT_EQ(rows.size(), 12u);
    EXPECT_EQ(rows.front().number, 1);
    EXPECT_EQ(Cp932ToUtf8(rows.front().text), "1 ＋　 　");
    const auto greyWithWhite = [&](int row) {
        const QImage cell = Cell(tape, 0, row);
        const bool grey = cell.pixelColor(1, 1) == QColor(128, 128, 128);
        const bool white = CountPixels(cell, [](QColor c) { return c == Qt::white; }) > 0;
        return grey && white;
    };
    EXPECT_TRUE(greyWithWhite(10));
    EXPECT_FALSE(greyWithWhite(9));
    EXPECT_FALSE(greyWithWhite(11));
    EXPECT_EQ(Cell(tape, 0, 9).pixelColor(1, 1), QColor(240, 240, 240));
    // Lines stand right-aligned: the text cell's right part has ink, its left part none.
    const QImage text = Cell(tape, 1, 1);
    const auto ink = [](QColor c) { return c.lightness() < 128; };
    EXPECT_EQ(CountPixels(text.copy(0, 0, text.width() / 2, text.height()), ink), 0);
    EXPECT_GT(CountPixels(text.copy(text.width() / 2, 0, text.width() / 2, text.height()), ink), 0);
    // The status line counts the lines.
    EXPECT_EQ(tape->View().ScrollBar().max, 12);
}

TEST_F(KenzanWindowTest, TwoColoursShowSubtrahendsAndMinusMemoryInRed) {
    StartWithSettings();
    Keys("100 - 30 = 5 M- MR");
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    // The first row whose text ends with `utf8`.
    const auto rowEnding = [&](const std::string& utf8) {
        const auto rows = tape->View().Rows();
        for (std::size_t i = 0; i < rows.size(); ++i) {
            const std::string text = Cp932ToUtf8(rows[i].text);
            if (text.size() >= utf8.size() &&
                text.compare(text.size() - utf8.size(), utf8.size(), utf8) == 0) {
                return static_cast<int>(i) + 1;
            }
        }
        ADD_FAILURE() << "no row ending with " << utf8 << "\n" << TapeUtf8();
        return 1;
    };
    const int minuend = rowEnding("100 －　 　");
    const int subtrahend = rowEnding("30 ＝　 　");
    const int result = rowEnding("70 ＊　 　");
    const int minusMemory = rowEnding("5 Ｍ-  　");
    const int recall = rowEnding("◇Ｍ ‥");
    tape->View().SelectRow(tape->View().VisibleRows());  // the cursor frame out of the way
    const auto red = [&](int row) { return CountPixels(Cell(tape, 1, row), Reddish) > 0; };
    EXPECT_FALSE(red(minuend));
    EXPECT_TRUE(red(subtrahend));
    EXPECT_FALSE(red(result));
    EXPECT_TRUE(red(minusMemory));
    // A reference line stands on the info colour while that option is checked.
    EXPECT_EQ(Cell(tape, 1, recall).pixelColor(0, 0), QColor(255, 255, 225));
    Part<QAction>(tape, "IsOptColor")->trigger();
    EXPECT_EQ(Cell(tape, 1, recall).pixelColor(0, 0), QColor(255, 255, 255));
    // Two colours off: no red at all, and the status line says so.
    Part<QAction>(tape, "IsColorOn")->trigger();
    EXPECT_FALSE(window_->Context().tape().Options().twoColourOn);
    EXPECT_FALSE(red(subtrahend));
    EXPECT_FALSE(red(minusMemory));
}

TEST_F(KenzanWindowTest, TheCommandPanelOffersEditsOnlyForLinesThatMayBeChanged) {
    StartWithSettings();
    Keys("7 +");
    window_->Context().tape().ClearTape();  // " ～　" carries the open calculation over
    Keys("3 = CA");
    window_->Calculator().SetMakerType(
        core::kMakerCasio);  // a setting note comes with the next step
    Keys("100 + 50 =");
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    // A correction leaves its notes ("<<") and a date line.
    window_->Context().tape().Options().autoDateOn = true;
    tape->View().SelectLine(tape->View().NumberedLines() - 1);  // the 50
    ASSERT_TRUE(tape->Correction().PrepareEdit(tape::kEditChange));
    tape->Correction().Form().field.SetText("70");
    ASSERT_EQ(tape->Correction().UpdateRunClick().result, tape::kRecalcDone);
    tape->View().RedrawAtScrollPosition();
    struct Kind {
        const char* ending;  // the line's last characters (UTF-8); " " is the separator
        bool editable;
        bool inCalculation = true;  // the popup has a calculation to show
    };
    const Kind kinds[] = {{"～　 　", false}, {"<<", false},     {"] <<", false},
                          {"＝　 　", true},  {"ＣＡ 　", true}, {"＊　 　", true},
                          {">>     ‥", true}, {"修", true},      {" ", false, false}};
    const auto rows = tape->View().Rows();
    int checked = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const std::string text = Cp932ToUtf8(rows[i].text);
        for (const Kind& kind : kinds) {
            const std::string ending = kind.ending;
            const bool separator = ending == " ";
            if (separator
                    ? text != ending
                    : text.size() < ending.size() ||
                          text.compare(text.size() - ending.size(), ending.size(), ending) != 0) {
                continue;
            }
            ClickRow(tape, static_cast<int>(i) + 1);
            Press(tape, Qt::Key_Return);
            ASSERT_TRUE(Part<TapeCommandPanel>(tape, "PopCom")->isVisible()) << text;
            EXPECT_EQ(Part<TapeCommandPanel>(tape, "PopCom")->Updatem->isEnabled(), kind.editable)
                << text;
            EXPECT_EQ(Part<TapeCommandPanel>(tape, "PopCom")->Addm->isEnabled(), kind.editable)
                << text;
            EXPECT_EQ(Part<TapeCommandPanel>(tape, "PopCom")->Deletem->isEnabled(), kind.editable)
                << text;
            EXPECT_EQ(Part<TapeCommandPanel>(tape, "PopCom")->PopUpm->isEnabled(),
                      kind.inCalculation)
                << text;
            Press(tape, Qt::Key_Escape);
            EXPECT_FALSE(Part<TapeCommandPanel>(tape, "PopCom")->isVisible());
            EXPECT_TRUE(window_->Context().windows().IsOpen(WindowCode::kCheckTape));
            ++checked;
            break;
        }
    }
    EXPECT_GE(checked, 10);
    // A row below the last line holds nothing to edit.
    ClickRow(tape, tape->View().VisibleRows());
    Press(tape, Qt::Key_Return);
    EXPECT_FALSE(Part<TapeCommandPanel>(tape, "PopCom")->Updatem->isEnabled());
}

TEST_F(KenzanWindowTest, ThePanelIsWorkedFromTheKeyboardAlone) {
    StartWithSettings();
    Keys("100 + 50 =");
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    ClickRow(tape, 2);
    Press(tape, Qt::Key_Return);
    TapeCommandPanel* panel = Part<TapeCommandPanel>(tape, "PopCom");
    ASSERT_TRUE(panel->isVisible());
    EXPECT_EQ(Focused(tape), "ClosePopm");
    // Tab goes round the panel in its order and never leaves it; Shift+Tab goes back.
    const char* order[] = {"AutoScrollm", "PopUpm", "Updatem", "Addm", "Deletem", "ClosePopm"};
    for (const char* name : order) {
        Press(tape, Qt::Key_Tab);
        EXPECT_EQ(Focused(tape), name);
    }
    Press(tape, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(tape), "Deletem");
    Press(tape, Qt::Key_Up);
    EXPECT_EQ(Focused(tape), "Addm");
    // Window keys do nothing while it is open.
    Press(tape, Qt::Key_F1);
    Press(tape, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_TRUE(window_->Context().windows().IsOpen(WindowCode::kCheckTape));
    EXPECT_EQ(tape->View().NumberedLines(), 3);
    // Space presses the focused button: the auto scroll button turns it off, the pin shows.
    Press(tape, Qt::Key_Tab);
    Press(tape, Qt::Key_Tab);
    Press(tape, Qt::Key_Tab);
    EXPECT_EQ(Focused(tape), "AutoScrollm");
    Press(tape, Qt::Key_Space);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(tape->View().AutoScroll());
    EXPECT_TRUE(Part(tape, "PinMark")->isVisible());
    EXPECT_EQ(Focused(tape), "GridImage");
    // Below the last line there is nothing to edit: Tab passes those buttons by (the popup
    // shows the last calculation). Enter presses the focused button.
    ClickRow(tape, tape->View().VisibleRows());
    Press(tape, Qt::Key_Return);
    Press(tape, Qt::Key_Tab);
    EXPECT_EQ(Focused(tape), "AutoScrollm");
    Press(tape, Qt::Key_Tab);
    EXPECT_EQ(Focused(tape), "PopUpm");
    Press(tape, Qt::Key_Tab);
    ASSERT_EQ(Focused(tape), "ClosePopm");
    Press(tape, Qt::Key_Return);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_EQ(tape->View().NumberedLines(), 3);
}

TEST_F(KenzanWindowTest, TabGoesRoundTheGridAndTheButtonsAndArrowsLeadBackToTheGrid) {
    StartWithSettings();
    Keys("1 + 2 =");
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    EXPECT_EQ(Focused(tape), "GridImage");
    for (const char* name : {"LogView", "ClearRun", "CloseRun", "GridImage"}) {
        Press(tape, Qt::Key_Tab);
        EXPECT_EQ(Focused(tape), name);
    }
    Press(tape, Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(Focused(tape), "CloseRun");
    Press(tape, Qt::Key_Right);
    EXPECT_EQ(Focused(tape), "GridImage");
    Press(tape, Qt::Key_Tab);
    Press(tape, Qt::Key_Up);
    EXPECT_EQ(Focused(tape), "GridImage");
    // The grid's keys: Up moves the cursor, Enter opens the panel; another window becoming
    // active closes it.
    Press(tape, Qt::Key_Up);
    EXPECT_EQ(tape->View().CursorRow(), 2);
    Press(tape, Qt::Key_Return);
    EXPECT_TRUE(Part<TapeCommandPanel>(tape, "PopCom")->isVisible());
    Activate(window_.get());
    EXPECT_FALSE(Part<TapeCommandPanel>(tape, "PopCom")->isVisible());
    EXPECT_FALSE(tape->View().CommandPanelOpen());
    // So does leaving it for another control.
    Activate(tape);
    Press(tape, Qt::Key_Return);
    ASSERT_TRUE(Part<TapeCommandPanel>(tape, "PopCom")->isVisible());
    Part<QPushButton>(tape, "ClearRun")->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    EXPECT_FALSE(Part<TapeCommandPanel>(tape, "PopCom")->isVisible());
    // Enter on a focused button presses it: 閉じる closes the window.
    Activate(tape);
    Part<QPushButton>(tape, "CloseRun")->setFocus();
    Press(tape, Qt::Key_Return);
    EXPECT_FALSE(window_->Context().windows().IsOpen(WindowCode::kCheckTape));
}

TEST_F(KenzanWindowTest, TheNumberFieldTakesOnlyWhatItsRulesAllow) {
    StartWithSettings("PanelDigit=10\r\n");
    Keys("100 + 50 = 8 + 2");
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    ClickRow(tape, RowOf(tape, 2));
    tape->OpenCommandPanel();
    Part<TapeCommandPanel>(tape, "PopCom")->Updatem->click();
    TapeInputBox* box = Part<TapeInputBox>(tape, "InputBoxs");
    ASSERT_TRUE(box->isVisible());
    EXPECT_EQ(Focused(tape), "UpdateNum");
    EXPECT_EQ(box->UpdateNum->selectedText(), "50");  // the value, selected
    EXPECT_EQ(box->SymbolCombo->currentText(), QString::fromUtf8("＝"));
    struct Case {
        const char* keys;  // typed after Ctrl+A
        const char* shown;
    };
    const Case cases[] = {
        {"1a2.3.4", "12.34"},            // letters and a second point refused
        {"-5-6", "-56"},                 // a sign only in front
        {"+-7", "+7"},                   // one sign
        {"123456789012", "1234567890"},  // at most the display width in digits
        {"1.234567890123", "1.234567890"},
    };
    for (const Case& c : cases) {
        Press(tape, Qt::Key_A, Qt::ControlModifier);
        TypeText(tape, c.keys);
        EXPECT_EQ(box->UpdateNum->text().toStdString(), c.shown) << c.keys;
    }
    // The arrows move the caret; a digit goes in there. Backspace is refused as a typed
    // character; Delete takes the character after the caret.
    Press(tape, Qt::Key_A, Qt::ControlModifier);
    TypeText(tape, "125");
    Press(tape, Qt::Key_Left);
    Press(tape, Qt::Key_Left);
    TypeText(tape, "9");
    EXPECT_EQ(box->UpdateNum->text(), "1925");
    Press(tape, Qt::Key_Backspace);
    EXPECT_EQ(box->UpdateNum->text(), "1925");
    Press(tape, Qt::Key_Delete);
    EXPECT_EQ(box->UpdateNum->text(), "195");
    Press(tape, Qt::Key_Home);
    TypeText(tape, "-");
    EXPECT_EQ(box->UpdateNum->text(), "-195");
    // A finished calculation offers all six symbols; the open one only four.
    EXPECT_EQ(box->SymbolCombo->count(), 6);
    EXPECT_TRUE(Part<TapeInputButtons>(tape, "InputButtons")
                    ->findChild<QPushButton*>("BtnEqual")
                    ->isEnabled());
    Press(tape, Qt::Key_Escape);
    EXPECT_FALSE(box->isVisible());
    ClickRow(tape, RowOf(tape, tape->View().NumberedLines()));  // the 8 of "8 + 2"
    tape->OpenCommandPanel();
    Part<TapeCommandPanel>(tape, "PopCom")->Updatem->click();
    EXPECT_EQ(box->SymbolCombo->count(), 4);
    EXPECT_FALSE(Part<TapeInputButtons>(tape, "InputButtons")
                     ->findChild<QPushButton*>("BtnEqual")
                     ->isEnabled());
    EXPECT_FALSE(Part<TapeInputButtons>(tape, "InputButtons")
                     ->findChild<QPushButton*>("BtnPer")
                     ->isEnabled());
    // The input buttons edit the same field: 3, point, 5, +/-, and the ÷ symbol.
    Press(tape, Qt::Key_A, Qt::ControlModifier);
    for (const char* name : {"Btn3", "BtnComma", "Btn5", "BtnPm", "Button4"})
        Part<TapeInputButtons>(tape, "InputButtons")->findChild<QPushButton*>(name)->click();
    EXPECT_EQ(box->UpdateNum->text(), "-3.5");
    EXPECT_EQ(box->SymbolCombo->currentText(), QString::fromUtf8("÷"));
}

// Change, insert and delete through the real widgets and keys; the tape is the one the
// engine's own edits give.
TEST_F(KenzanWindowTest, ChangeInsertAndDeleteFromTheKeyboardRecalculateTheTape) {
    StartWithSettings();
    Keys("100 + 50 =");
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    const auto panelTo = [&](int row, const char* button) {
        ClickRow(tape, row);
        Press(tape, Qt::Key_Return);
        for (int i = 0; i < 6 && Focused(tape) != button; ++i)
            Press(tape, Qt::Key_Tab);
        ASSERT_EQ(Focused(tape), button);
        Press(tape, Qt::Key_Space);
    };
    // Change the 50 into 70.
    panelTo(2, "Updatem");
    ASSERT_TRUE(Part<TapeInputBox>(tape, "InputBoxs")->isVisible());
    TypeText(tape, "70");
    Press(tape, Qt::Key_Return);
    EXPECT_FALSE(Part<TapeInputBox>(tape, "InputBoxs")->isVisible());
    EXPECT_EQ(Focused(tape), "GridImage");
    EXPECT_NE(TapeUtf8().find("70 ＝　 修\n170 ＊　 　\n"), std::string::npos) << TapeUtf8();
    // Insert 5 - before the 100: the rows from the cursor stand one lower meanwhile.
    panelTo(1, "Addm");
    EXPECT_FALSE(tape->View().GridRows()[0].has_value());
    EXPECT_EQ(tape->View().GridRows()[1]->number, 1);
    TypeText(tape, "5");
    Part<TapeInputBox>(tape, "InputBoxs")->SymbolCombo->setFocus();
    Press(tape, Qt::Key_Down);  // "－"
    Press(tape, Qt::Key_Return);
    EXPECT_EQ(tape->View().GridRows()[0]->number, 1);
    // Delete it again.
    panelTo(1, "Deletem");
    EXPECT_FALSE(Part<TapeCommandPanel>(tape, "PopCom")->isVisible());

    core::KeySessionOptions options;
    options.settings.grandTotal = false;
    core::KeySession engine(options);
    for (const char* token :
         {"100", "+", "50", "=", "@change:2:70:=", "@insert:1:5:-", "@delete:1"}) {
        engine.Run(token);
    }
    EXPECT_EQ(TapeUtf8(), engine.TapeUtf8());
    EXPECT_NE(TapeUtf8().find("1st:"), std::string::npos);
}

TEST_F(KenzanWindowTest, RefusalsAreToldInABoxAndEditsWorkWithTheInputButtonsHidden) {
    StartWithSettings("IsInputPanel=0\r\n");
    Keys("5 / 2 +");
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    const std::string before = TapeUtf8();
    ClickRow(tape, RowOf(tape, 2));  // the 2 of the open calculation
    tape->OpenCommandPanel();
    Part<TapeCommandPanel>(tape, "PopCom")->Updatem->click();
    EXPECT_FALSE(Part<TapeInputButtons>(tape, "InputButtons")->isVisible());
    // A lone sign is no number: told, nothing changed, the box stays open.
    Press(tape, Qt::Key_A, Qt::ControlModifier);
    TypeText(tape, "-");
    ExpectMessage();
    Press(tape, Qt::Key_Return);
    EXPECT_EQ(message_, "Pemu|数値が正しくありません。");
    EXPECT_TRUE(Part<TapeInputBox>(tape, "InputBoxs")->isVisible());
    EXPECT_EQ(TapeUtf8(), before);
    // A division by zero inside the open calculation: told, and the tape as it was.
    Press(tape, Qt::Key_A, Qt::ControlModifier);
    TypeText(tape, "0");
    message_.clear();
    ExpectMessage();
    Press(tape, Qt::Key_Return);
    EXPECT_EQ(message_, "Pemu|2行目でオーバーフローします。");
    EXPECT_EQ(TapeUtf8(), before);
    EXPECT_FALSE(Part<TapeInputBox>(tape, "InputBoxs")->isVisible());
    // Esc closes only the input box, and Enter applies, buttons hidden or not.
    tape->OpenCommandPanel();
    Part<TapeCommandPanel>(tape, "PopCom")->Updatem->click();
    Press(tape, Qt::Key_Escape);
    EXPECT_FALSE(Part<TapeInputBox>(tape, "InputBoxs")->isVisible());
    EXPECT_TRUE(window_->Context().windows().IsOpen(WindowCode::kCheckTape));
    tape->OpenCommandPanel();
    Part<TapeCommandPanel>(tape, "PopCom")->Updatem->click();
    Press(tape, Qt::Key_A, Qt::ControlModifier);
    TypeText(tape, "4");
    Press(tape, Qt::Key_Return);
    EXPECT_FALSE(Part<TapeInputBox>(tape, "InputBoxs")->isVisible());
    EXPECT_EQ(window_->Calculator().State().answerValue, "1.25");  // 5 / 4, still open
    // The menu item shows the buttons at once while the box is open.
    tape->OpenCommandPanel();
    Part<TapeCommandPanel>(tape, "PopCom")->Updatem->click();
    Part<QAction>(tape, "IsInputPanel")->trigger();
    EXPECT_TRUE(Part<TapeInputButtons>(tape, "InputButtons")->isVisible());
}

TEST_F(KenzanWindowTest, ThePopupHandsTheCursorCalculationToTheViewerOrSaysItIsMissing) {
    StartWithSettings();
    Keys("100 + 50 = 7 * 8 =");
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    ClickRow(tape, RowOf(tape, 2));  // the 50
    tape->OpenCommandPanel();
    ExpectMessage();
    Part<TapeCommandPanel>(tape, "PopCom")->PopUpm->click();
    EXPECT_FALSE(Part<TapeCommandPanel>(tape, "PopCom")->isVisible());
    EXPECT_NE(message_.find("Pemu|ポップアップ表示のプログラムが見つかりません。"),
              std::string::npos)
        << message_;

    // A viewer that notes the file it was given.
    const fs::path noted = InstallNotingViewer();
    tape->OpenCommandPanel();
    Part<TapeCommandPanel>(tape, "PopCom")->PopUpm->click();
    const fs::path file = NotedPath(noted);
    ASSERT_FALSE(file.empty()) << "the viewer was not started";
    EXPECT_EQ(file.parent_path().string() + "/",
              session_->paths().PathOf(shell::PathKind::kPidFolder));
    const std::string name = file.filename().string();
    EXPECT_TRUE(name.starts_with("zp0_")) << name;
    EXPECT_TRUE(
        name.ends_with(QString::asprintf("%04d%04d.txt", tape->x(), tape->y()).toStdString()))
        << name;
    // The calculation of the cursor line, without the final line end; not the one after it.
    std::ifstream in(file, std::ios::binary);
    EXPECT_EQ(Cp932ToUtf8(std::string(std::istreambuf_iterator<char>(in), {})),
              "100 ＋　 　\r\n50 ＝　 　\r\n150 ＊　 　");
}

TEST_F(KenzanWindowTest, ARecalculationRefusedByTheSharpRulesKeepsTheLineAndTheBoxOpen) {
    StartWithSettings();
    Keys("5 + 3 =");
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    ClickRow(tape, RowOf(tape, 2));  // the 3
    tape->OpenCommandPanel();
    Part<TapeCommandPanel>(tape, "PopCom")->Updatem->click();
    // No number and %: + % without a number is ignored in the "SHARP" family.
    Press(tape, Qt::Key_A, Qt::ControlModifier);
    Press(tape, Qt::Key_Delete);
    Part<TapeInputButtons>(tape, "InputButtons")->findChild<QPushButton*>("BtnPer")->click();
    ExpectMessage();
    Press(tape, Qt::Key_Return);
    EXPECT_EQ(message_, "Pemu|SHARP式の+%,-%は入力が無視されます。");
    EXPECT_TRUE(Part<TapeInputBox>(tape, "InputBoxs")->isVisible());
    EXPECT_EQ(Focused(tape), "UpdateNum");
    EXPECT_NE(TapeUtf8().find("\n ％　 修\n8 ＊　 　\n"), std::string::npos) << TapeUtf8();
    // Corrected in the same box, it is worked out.
    TypeText(tape, "50");
    Press(tape, Qt::Key_Return);
    EXPECT_FALSE(Part<TapeInputBox>(tape, "InputBoxs")->isVisible());
    EXPECT_NE(TapeUtf8().find("50 ％　 修\n"), std::string::npos) << TapeUtf8();
}

TEST_F(KenzanWindowTest, EditsOnTheResultLineKeepTheFirstResultInItsNote) {
    // A step put before the result line, or in its place, comes after the =: it is kept
    // unused, the note names the line the calculation ended at, and the result the
    // calculation had stays the first one.
    const std::string block =
        "70 ＋　 修\n150 ＊　 　\n-------------------- <<\n※計算終了行:2 <<\n"
        "SHARP DIGIT:14 <<\nRs:CT Dc:F <<\n1st:150 ＊　 <<\n";
    StartWithSettings();
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    std::string before;
    for (const char* button : {"Addm", "Updatem"}) {
        Keys("100 + 50 =");
        Activate(tape);
        const int resultLine = tape->View().Rows().back().number;
        ClickRow(tape, RowOf(tape, resultLine));
        Press(tape, Qt::Key_Return);
        Part<TapeCommandPanel>(tape, "PopCom")->findChild<QPushButton*>(button)->click();
        Press(tape, Qt::Key_A, Qt::ControlModifier);
        TypeText(tape, "70");
        Part<TapeInputBox>(tape, "InputBoxs")->SymbolCombo->setCurrentIndex(0);  // "＋"
        Press(tape, Qt::Key_Return);
        EXPECT_FALSE(Part<TapeInputBox>(tape, "InputBoxs")->isVisible()) << button;
        const std::string now = TapeUtf8();
        ASSERT_TRUE(now.starts_with(before)) << button << "\n" << now;
        EXPECT_TRUE(now.ends_with(block)) << button << "\n" << now;
        before = now;
    }
}

TEST_F(KenzanWindowTest, SettingsAreReadAcceptedAndWrittenInTheirOrder) {
    StartWithSettings(
        "KenzanFontSize=13\r\nKenzanScroll=3\r\nIsAutoScroll=0\r\nIsInputPanel=0\r\n"
        "IsOptColor=0\r\nKenzanClientHeight=560\r\nKenzanClientWidth=430\r\n");
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    EXPECT_TRUE(ShownChecked(tape, "FontSize14"));
    EXPECT_EQ(tape->View().WheelLines(), 1);
    EXPECT_FALSE(tape->View().AutoScroll());
    EXPECT_TRUE(Part(tape, "PinMark")->isVisible());
    EXPECT_FALSE(Part<QAction>(tape, "IsOptColor")->isChecked());
    EXPECT_EQ(Part(tape, "Client")->size(), QSize(430, 560));
    Part<QAction>(tape, "Scroll4")->trigger();
    Part<QAction>(tape, "KenzanCheck")->trigger();
    Part<QAction>(tape, "IsInputPanel")->trigger();
    // A double click on the pin turns auto scroll on again.
    QTest::mouseDClick(Part(tape, "PinMark"), Qt::LeftButton);
    EXPECT_TRUE(tape->View().AutoScroll());
    EXPECT_FALSE(Part(tape, "PinMark")->isVisible());
    // Keys written anew go to the end of their section, in the order they are written.
    const char* written[] = {
        "KenzanClientHeight=560", "KenzanClientWidth=430", "KenzanTop=",     "KenzanLeft=",
        "KenzanScroll=4",         "KenzanAutoDate=0",      "KenzanCheck=0",  "KenzanIsColor=1",
        "KenzanFontSize=14",      "IsInputPanel=1",        "IsAutoScroll=1", "IsOptColor=0"};
    for (const std::string key : written)
        session_->store().DeleteKey("Value", key.substr(0, key.find('=')));
    tape->close();
    QApplication::processEvents();
    const std::string ini = session_->store().Text();
    std::size_t at = 0;
    for (const char* key : written) {
        const std::size_t found = ini.find(std::string("\n") + key);
        ASSERT_NE(found, std::string::npos) << key << "\n" << ini;
        EXPECT_GT(found, at) << key;
        at = found;
    }
}

TEST_F(KenzanWindowTest, TheMainWindowClearsAndScrollsTheTapeWindow) {
    StartWithSettings("KenzanScroll=2\r\n");
    for (int i = 0; i < 60; ++i)
        Keys("1 +");
    // Shift+Delete clears the tape only while the tape window is shown.
    window_->FormKeyDown(vk::kDelete, {true, false, false});
    EXPECT_EQ(window_->Context().tape().LineCount(), 61);
    TfrmKenzan* tape = Open();
    ASSERT_NE(tape, nullptr);
    Activate(window_.get());
    const int last = tape->View().Rows().front().number;
    window_->FormKeyDown(vk::kUp, {true, false, false});
    EXPECT_EQ(tape->View().Rows().front().number, last - 2);  // the wheel step
    window_->FormKeyDown(vk::kPrior, {true, false, false});
    EXPECT_EQ(tape->View().Rows().front().number, last - 2 - tape->View().VisibleRows());
    QWheelEvent down(QPointF(50, 200), window_->Face()->mapToGlobal(QPointF(50, 200)), QPoint(),
                     QPoint(0, -120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(window_->Face(), &down);
    EXPECT_EQ(tape->View().Rows().front().number, last - tape->View().VisibleRows());
    window_->FormKeyDown(vk::kDelete, {true, false, false});
    EXPECT_EQ(tape->View().NumberedLines(), 1);  // the open calculation carried over
    EXPECT_NE(Cp932ToUtf8(window_->Context().tape().Log().ClearedText()).find("1 ＋"),
              std::string::npos);
    // In the tape window: its button and Shift+Delete.
    Keys("2 +");
    Activate(tape);
    Press(tape, Qt::Key_Delete, Qt::ShiftModifier);
    EXPECT_EQ(tape->View().NumberedLines(), 1);
}

TEST_F(KenzanWindowTest, ReopenedAtStartWhenItWasOpenAtTheEnd) {
    fs::create_directories(dataRoot_ / "PemuFiles/_sys");
    std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini") << "[StartUp]\r\nKasaneAwase=1\r\n";
    StartWith(nullptr);
    EXPECT_TRUE(window_->Context().windows().IsOpen(WindowCode::kCheckTape));
    EXPECT_EQ(session_->openWindows().text(), "1");
}

}  // namespace
}  // namespace pemu::ui::testing_support
