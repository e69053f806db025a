// The log viewer through its real widgets and commands: the text it assembles, saving all or
// a selection, the popup menu, deleting the stored log, the setting that keeps the log, the
// popup viewer, and printing checked on the PDF the same code writes.
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QThread>
#include <fstream>
#include <iterator>

#include "calclog/log_pages.hpp"
#include "core/key_codes.hpp"
#include "main_window_fixture.hpp"
#include "modal_dialogs.hpp"
#include "platform/codec.hpp"
#include "shell/settings_keys.hpp"
#include "ui/log_printer.hpp"
#include "ui/ui_text.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/log_view.hpp"

namespace pemu::ui::testing_support {
namespace {

namespace fs = std::filesystem;
using shell::WindowCode;

std::string ReadAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class LogViewTest : public MainWindowTest {
  protected:
    fs::path LogFile() const { return dataRoot_ / "PemuFiles/_sys/KenzanLog.txt"; }
    void WriteLog(const std::string& bytes) {
        fs::create_directories(LogFile().parent_path());
        std::ofstream(LogFile(), std::ios::binary) << bytes;
    }
    // F4 in the calculator, as the user opens it.
    TfrmLogView* OpenWithF4() {
        Type(Qt::Key_F4);
        QApplication::processEvents();
        return qobject_cast<TfrmLogView*>(
            window_->Context().windows().Window(WindowCode::kLogViewer));
    }
    static QString Shown(const std::string& cp932) {
        return FromCp932(cp932).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    }
    // Selects the `line`-th line (from 0) of the text area.
    static void SelectLine(TfrmLogView* log, int line) {
        QTextCursor cursor(log->TextArea->document()->findBlockByNumber(line));
        cursor.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
        log->TextArea->setTextCursor(cursor);
    }
    // The popup menu as the context-menu key opens it; closed again afterwards.
    static std::map<std::string, bool> PopupEnabled(TfrmLogView* log) {
        const QPoint at(5, 5);
        QContextMenuEvent event(QContextMenuEvent::Keyboard, at,
                                log->TextArea->viewport()->mapToGlobal(at));
        QApplication::sendEvent(log->TextArea->viewport(), &event);
        QApplication::processEvents();
        std::map<std::string, bool> enabled;
        for (QAction* item : log->MainPop->actions())
            if (!item->isSeparator()) enabled[item->objectName().toStdString()] = item->isEnabled();
        log->MainPop->close();
        return enabled;
    }
    std::string ThisRunsTapes() {
        const tape::LOG& log = window_->Context().tape().Log();
        return log.ClearedText() + log.TapeText();
    }
};

TEST_F(LogViewTest, ShowsTheLogThenTheClearedTapesThenThisRunsTape) {
    Start();
    const std::string old = " \r\n           5 +  \r\n \r\nOn";
    WriteLog(old);
    using namespace core;
    ClickAll({kKeyDigit1, kKeyAdd, kKeyDigit1 + 1, kKeyEquals});
    window_->Context().tape().ClearTape();
    ClickAll({kKeyDigit1 + 2, kKeyAdd, kKeyDigit1, kKeyEquals});
    const tape::LOG& tape = window_->Context().tape().Log();
    ASSERT_FALSE(tape.ClearedText().empty());
    ASSERT_FALSE(tape.TapeText().empty());

    TfrmLogView* log = OpenWithF4();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->windowTitle().toStdString(), "ログ表示 :F4");
    EXPECT_EQ(log->TextArea->toPlainText(), Shown(old + tape.ClearedText() + tape.TapeText()));
    EXPECT_TRUE(log->TextArea->textCursor().atEnd()) << "the end of the log is shown";
    EXPECT_TRUE(log->TextArea->isReadOnly());

    // F5 reads the file again, from the viewer and from the calculator.
    WriteLog(old + "7\r\n");
    QTest::keyClick(log->TextArea, Qt::Key_F5);
    EXPECT_TRUE(log->TextArea->toPlainText().startsWith(Shown(old + "7\r\n")));
    WriteLog(old + "8\r\n");
    Type(Qt::Key_F5);
    EXPECT_TRUE(log->TextArea->toPlainText().startsWith(Shown(old + "8\r\n")));
}

TEST_F(LogViewTest, WithoutLogOrTapeTheAreaIsEmptyAndTheFileIsMade) {
    Start();
    ASSERT_FALSE(fs::exists(LogFile()));
    TfrmLogView* log = OpenWithF4();
    ASSERT_NE(log, nullptr);
    EXPECT_TRUE(log->TextArea->toPlainText().isEmpty());
    EXPECT_TRUE(fs::exists(LogFile()));
    EXPECT_EQ(fs::file_size(LogFile()), 0u);
}

TEST_F(LogViewTest, SavesAllOrTheSelectionInThirtyColumnLines) {
    Start();
    const std::string forty = "1234567890123456789012345678901234567890";
    WriteLog(forty + "\r\n12345\r\n");
    TfrmLogView* log = OpenWithF4();
    ASSERT_NE(log, nullptr);

    const fs::path all = dataRoot_ / "all.txt";
    ChooseFile(QString::fromStdString(all.string()));
    log->SaveMenu->trigger();
    EXPECT_EQ(ReadAll(all), forty.substr(10) + "\r\n" + std::string(25, ' ') + "12345\r\n");

    SelectLine(log, 1);
    const fs::path part = dataRoot_ / "part";  // the dialog adds ".txt"
    ChooseFile(QString::fromStdString(part.string()));
    log->SaveText->trigger();
    EXPECT_EQ(ReadAll(dataRoot_ / "part.txt"), std::string(25, ' ') + "12345\r\n");
}

TEST_F(LogViewTest, SavesAllOrTheSelectionAsCsvForASpreadsheet) {
    Start();
    WriteLog(" \r\n" + platform::Sjis("1,234 ＋　 　\r\n5 ＝　 　\r\n1,239 ＊　 　\r\n") +
             " \r\nOn");
    TfrmLogView* log = OpenWithF4();
    ASSERT_NE(log, nullptr);
    const fs::path all = dataRoot_ / "tapes";  // the dialog adds ".csv"
    ChooseFile(QString::fromStdString(all.string()));
    log->SaveCsvMenu->trigger();
    const std::string csv = ReadAll(dataRoot_ / "tapes.csv");
    EXPECT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF") << "a byte-order mark for spreadsheets";
    EXPECT_NE(csv.find("line,value,kind,mark,text\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("2,1234,+,,\"1,234 ＋　 　\"\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("4,1239,result,,\"1,239 ＊"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",end,,On\r\n"), std::string::npos) << "the run's end stays a row";

    SelectLine(log, 2);
    const fs::path part = dataRoot_ / "part.csv";
    ChooseFile(QString::fromStdString(part.string()));
    log->SaveTextCsv->trigger();
    EXPECT_EQ(ReadAll(part), "\xEF\xBB\xBFline,value,kind,mark,text\r\n1,5,=,,5 ＝　 　\r\n");
}

TEST_F(LogViewTest, PopupMenuItemsOfASelectionNeedOne) {
    Start();
    WriteLog("12345\r\n");
    TfrmLogView* log = OpenWithF4();
    ASSERT_NE(log, nullptr);
    auto enabled = PopupEnabled(log);
    for (const char* item : {"PrintText", "SaveText", "SaveTextCsv", "Popup", "Copy"})
        EXPECT_FALSE(enabled[item]) << item << " without a selection";
    EXPECT_TRUE(enabled["SelectAll"]);
    EXPECT_TRUE(enabled["ClosePop"]);
    QTest::keyClick(log->TextArea, Qt::Key_A, Qt::ControlModifier);
    enabled = PopupEnabled(log);
    for (const char* item : {"PrintText", "SaveText", "SaveTextCsv", "Popup", "Copy"})
        EXPECT_TRUE(enabled[item]) << item << " with a selection";
}

TEST_F(LogViewTest, DeletingTheStoredLogKeepsThisRunsTapes) {
    Start();
    WriteLog(" \r\n           5 +  \r\n \r\nOn");
    ClickAll({core::kKeyDigit1, core::kKeyAdd, core::kKeyDigit1 + 1, core::kKeyEquals});
    TfrmLogView* log = OpenWithF4();
    ASSERT_NE(log, nullptr);

    QString asked;
    AnswerMessageBox(QMessageBox::No, &asked);
    log->DeleteLogMenu->trigger();
    EXPECT_EQ(asked.toStdString(), "保存済みのログを全て削除します。よろしいですか？");
    EXPECT_GT(fs::file_size(LogFile()), 0u) << "No keeps the log";

    AnswerMessageBox(QMessageBox::Yes);
    log->DeleteLogMenu->trigger();
    EXPECT_EQ(fs::file_size(LogFile()), 0u);
    EXPECT_EQ(log->TextArea->toPlainText(), Shown(ThisRunsTapes()));
}

TEST_F(LogViewTest, KeepingTheLogIsWrittenAtOnceAndShownInTheStatusCell) {
    Start();
    TfrmLogView* log = OpenWithF4();
    ASSERT_NE(log, nullptr);
    // Inside the cell, above its text.
    const auto inside = [log] { return log->Status->pixmap().toImage().pixel(78, 2) & 0xFFFFFF; };
    EXPECT_TRUE(log->LogHozon->isChecked());
    EXPECT_EQ(inside(), 0xFFFFFFu) << "ON: the window colour";
    log->LogHozon->trigger();
    EXPECT_FALSE(shell::Read(session_->store(), shell::keys::kLogHozon));
    EXPECT_EQ(inside(), 0xF0F0F0u) << "OFF: the button face";
    // The end of the run keeps this run's tape out of the log.
    ClickAll({core::kKeyDigit1, core::kKeyAdd, core::kKeyDigit1 + 1, core::kKeyEquals});
    window_->close();
    EXPECT_EQ(fs::file_size(LogFile()), 0u);
}

TEST_F(LogViewTest, SettingsAreWrittenInTheirOrderWhenItCloses) {
    fs::create_directories(dataRoot_ / "PemuFiles/_sys");
    std::ofstream(dataRoot_ / "PemuFiles/_sys/Pemu.ini") << "[Value]\r\nLogFontSize=13\r\n";
    Start(false);
    TfrmLogView* log = OpenWithF4();
    ASSERT_NE(log, nullptr);
    EXPECT_EQ(log->TextArea->font().pixelSize(), 16) << "13 is no offered size: 12 points";
    log->findChild<QAction*>("FontSize20")->trigger();
    EXPECT_EQ(log->TextArea->font().pixelSize(), 27);
    log->resize(300, 560);
    log->close();
    QApplication::processEvents();
    const std::string ini = session_->store().Text();
    std::size_t at = 0;
    EXPECT_NE(ini.find("LogFontSize=20"), std::string::npos) << ini;
    for (const char* key :
         {"LogViewHeight=560", "LogViewWidth=300", "LogViewTop=", "LogViewLeft="}) {
        const std::size_t next = ini.find(key, at);
        ASSERT_NE(next, std::string::npos) << key << " after position " << at << " in\n" << ini;
        at = next;
    }
}

TEST_F(LogViewTest, PopupHandsTheTrimmedSelectionToTheViewer) {
    Start();
    WriteLog("  12345 +  \r\n");
    TfrmLogView* log = OpenWithF4();
    ASSERT_NE(log, nullptr);
    QTest::keyClick(log->TextArea, Qt::Key_A, Qt::ControlModifier);

    QString told;
    AnswerMessageBox(QMessageBox::Ok, &told);
    log->Popup->trigger();
    EXPECT_TRUE(told.contains(Caption("見つかりません"))) << told.toStdString();

    // A viewer that notes the file it was given.
    const fs::path noted = InstallNotingViewer();
    log->Popup->trigger();
    const fs::path file = NotedPath(noted);
    ASSERT_FALSE(file.empty()) << "the viewer was not started";
    EXPECT_EQ(file.parent_path().string() + "/",
              session_->paths().PathOf(shell::PathKind::kPidFolder));
    EXPECT_TRUE(file.filename().string().starts_with("zp0_")) << file;
    EXPECT_EQ(ReadAll(file), "12345 +") << "white space off both ends";
}

// Words of a PDF with their boxes, as pdftotext reads them back.
struct PdfWord {
    int page;
    double xMin, yMin, xMax;
    std::string text;
};

std::vector<PdfWord> ReadPdfWords(const QString& pdf) {
    QProcess run;
    run.start(QStringLiteral(PEMU_PDFTOTEXT), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    run.waitForFinished(30000);
    const QString html = QString::fromUtf8(run.readAllStandardOutput());
    std::vector<PdfWord> words;
    int page = 0;
    static const QRegularExpression token(QStringLiteral(
        R"re(<page |<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)"[^>]*>([^<]*)</word>)re"));
    for (auto it = token.globalMatch(html); it.hasNext();) {
        const auto match = it.next();
        if (match.captured(0).startsWith(QStringLiteral("<page"))) {
            ++page;
        } else {
            words.push_back({page, match.captured(1).toDouble(), match.captured(2).toDouble(),
                             match.captured(3).toDouble(), match.captured(4).toStdString()});
        }
    }
    return words;
}

TEST_F(LogViewTest, PrintedPagesOnPdf) {
    ASSERT_TRUE(fs::exists(PEMU_PDFTOTEXT)) << "pdftotext (poppler-utils, scripts/bootstrap.sh)";
    // Thirty-digit lines, each its own number: 276 fill a page, the 277th begins the next.
    std::string text;
    for (int i = 1; i <= 277; ++i) {
        char line[40];
        std::snprintf(line, sizeof line, "%030d\r\n", i);
        text += line;
    }
    text += "12345";  // the last piece without a line end is printed too
    Start();
    WriteLog(text);
    TfrmLogView* log = OpenWithF4();
    ASSERT_NE(log, nullptr);
    if (!QPrinterInfo::defaultPrinter().isNull()) GTEST_SKIP() << "a printer exists here";

    // No printer: the same pages go to a PDF file when the user says so.
    const QString pdf = QString::fromStdString((dataRoot_ / "log.pdf").string());
    QString asked;
    AnswerMessageBox(QMessageBox::Yes, &asked);
    ChooseFile(pdf);
    log->PrintMenu->trigger();
    EXPECT_TRUE(asked.contains(QStringLiteral("PDF"))) << asked.toStdString();
    ASSERT_TRUE(fs::exists(pdf.toStdString()));

    QPrinter probe(QPrinter::HighResolution);
    probe.setOutputFormat(QPrinter::PdfFormat);
    const int dpi = probe.resolution();
    const int mm = calclog::PixelsPerMillimetre(dpi);
    const auto points = [&](int millimetres) { return millimetres * mm * 72.0 / dpi; };
    const std::vector<PdfWord> words = ReadPdfWords(pdf);
    const auto find = [&](const std::string& word) -> const PdfWord* {
        for (const PdfWord& w : words)
            if (w.text == word) return &w;
        return nullptr;
    };
    struct Expected {
        std::string word;
        int page, xMm, yMm;
    };
    const auto number = [](int i) {
        char line[40];
        std::snprintf(line, sizeof line, "%030d", i);
        return std::string(line);
    };
    const Expected expected[] = {
        {"P.1", 1, 2, 2},           {number(1), 1, 4, 6},     {number(69), 1, 4, 278},
        {number(70), 1, 53, 6},     {number(139), 1, 102, 6}, {number(208), 1, 151, 6},
        {number(276), 1, 151, 278}, {"P.2", 2, 2, 2},         {number(277), 2, 4, 6},
        {"12345", 2, 4, 10},
    };
    for (const Expected& e : expected) {
        const PdfWord* w = find(e.word);
        ASSERT_NE(w, nullptr) << e.word;
        EXPECT_EQ(w->page, e.page) << e.word;
        EXPECT_NEAR(w->yMin, points(e.yMm), 1.0) << e.word;
        if (e.word != "12345") {
            EXPECT_NEAR(w->xMin, points(e.xMm), 0.5) << e.word;
        }
    }
    // Nine points, fixed pitch: thirty digits are thirty half-width cells of 4.5 points, and
    // the short line, right-aligned in 30 columns, ends where the full ones end.
    const PdfWord* full = find(number(277));
    EXPECT_NEAR(full->xMax - full->xMin, 30 * 4.5, 1.0);
    EXPECT_NEAR(find("12345")->xMax, full->xMax, 0.5);
}

}  // namespace
}  // namespace pemu::ui::testing_support
