// The log viewer's menus and commands: save, print, the popup viewer, deleting the stored
// log, the folder and the help page.
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QTextEdit>
#include <QUrl>

#include "arithmetic/text.hpp"
#include "calclog/calculation_log.hpp"
#include "calclog/log_view.hpp"
#include "platform/file_system.hpp"
#include "platform/qt/qt_path.hpp"
#include "tape/tape_csv.hpp"
#include "ui/app_context.hpp"
#include "ui/desktop_open.hpp"
#include "ui/log_printer.hpp"
#include "ui/popup_launcher.hpp"
#include "ui/save_dialog.hpp"
#include "ui/ui_text.hpp"
#include "ui/windows/log_view.hpp"

namespace pemu::ui {
namespace {

QAction* Add(QMenu* menu, const char* name, std::string_view caption) {
    QAction* action = menu->addAction(Caption(caption));
    action->setObjectName(name);
    return action;
}

}  // namespace

void TfrmLogView::BuildMenus() {
    menuBar_ = new QMenuBar(this);
    QMenu* file = menuBar_->addMenu(Caption("ファイル(&F)"));
    PrintMenu = Add(file, "PrintMenu", "印刷 (&P)");
    SaveMenu = Add(file, "Save", "名前を付けて保存 (&H)");
    SaveCsvMenu = Add(file, "SaveCsv", "CSV で保存 (&C)…");
    file->addSeparator();
    FolderOpen = Add(file, "FolderOpen", "フォルダを開く (&F)");
    DeleteLogMenu = Add(file, "DeleteLog", "保存済みのログを削除する　(&D)");
    file->addSeparator();
    CloseMenu = Add(file, "CloseMenu", "閉じる (&X)");

    QMenu* options = menuBar_->addMenu(Caption("設定(&O)"));
    QMenu* sizes = options->addMenu(Caption("文字の大きさ (&S)"));
    FontSizes = new QActionGroup(this);
    for (int size : calclog::kLogFontSizes) {
        QAction* item = sizes->addAction(QString::number(size));
        item->setObjectName(QStringLiteral("FontSize%1").arg(size));
        item->setData(size);
        item->setCheckable(true);
        FontSizes->addAction(item);
    }
    ToBold = Add(options, "ToBold", "太字で表示 (&B)");
    ToBold->setCheckable(true);
    ToBold->setVisible(false);
    LogHozon = Add(options, "LogHozon", "ログを保存する(&H)");
    LogHozon->setCheckable(true);

    QMenu* help = menuBar_->addMenu(Caption("ヘルプ(&H)"));
    HelpFile = Add(help, "HelpFile", "ログ表示ヘルプ (&K)");

    connect(PrintMenu, &QAction::triggered, this, [this] { Print(false); });
    connect(SaveMenu, &QAction::triggered, this, [this] { Save(false); });
    connect(SaveCsvMenu, &QAction::triggered, this, [this] { SaveCsv(false); });
    connect(FolderOpen, &QAction::triggered, this, &TfrmLogView::OpenFolder);
    connect(DeleteLogMenu, &QAction::triggered, this, &TfrmLogView::DeleteLog);
    connect(CloseMenu, &QAction::triggered, this, &QWidget::close);
    connect(FontSizes, &QActionGroup::triggered, this,
            [this](QAction* size) { SetFontSize(size->data().toInt()); });
    connect(ToBold, &QAction::toggled, this, &TfrmLogView::ApplyFont);
    connect(LogHozon, &QAction::triggered, this, &TfrmLogView::SetLogHozon);
    connect(HelpFile, &QAction::triggered, this, &TfrmLogView::OpenHelp);
}

void TfrmLogView::BuildPopup() {
    MainPop = new QMenu(this);
    MainPop->setObjectName("MainPop");
    Copy = Add(MainPop, "Copy", "コピー(&C)");
    SelectAll = Add(MainPop, "SelectAll", "すべて選択(&A)");
    MainPop->addSeparator();
    PrintText = Add(MainPop, "PrintText", "選択範囲を印刷 (&P)");
    SaveText = Add(MainPop, "SaveText", "選択範囲を保存(&H)");
    Popup = Add(MainPop, "Popup", "選択範囲をポップアップ (&U)");
    // After the items of old, so that they keep their places for the keyboard.
    SaveTextCsv = Add(MainPop, "SaveTextCsv", "選択範囲を CSV で保存 (&V)…");
    MainPop->addSeparator();
    ClosePop = Add(MainPop, "ClosePop", "メニューを閉じる(&X)");

    connect(Copy, &QAction::triggered, TextArea, &QTextEdit::copy);
    connect(SelectAll, &QAction::triggered, TextArea, &QTextEdit::selectAll);
    connect(PrintText, &QAction::triggered, this, [this] { Print(true); });
    connect(SaveText, &QAction::triggered, this, [this] { Save(true); });
    connect(SaveTextCsv, &QAction::triggered, this, [this] { SaveCsv(true); });
    connect(Popup, &QAction::triggered, this, &TfrmLogView::PopupSelection);
    connect(MainPop, &QMenu::aboutToShow, this, [this] {
        const bool selected = TextArea->textCursor().hasSelection();
        for (QAction* item : {PrintText, SaveText, SaveTextCsv, Popup, Copy})
            item->setEnabled(selected);
    });
    connect(TextArea, &QWidget::customContextMenuRequested, this,
            [this](QPoint at) { MainPop->popup(TextArea->viewport()->mapToGlobal(at)); });
}

void TfrmLogView::Save(bool selectionOnly) {
    SaveAs(selectionOnly, "テキストファイル(*.txt)", "txt", calclog::SaveLogText);
}

void TfrmLogView::SaveCsv(bool selectionOnly) {
    SaveAs(selectionOnly, "CSV ファイル(*.csv)", "csv",
           [](const std::string& path, std::string_view text) {
               return platform::WriteFileAtomically(path, tape::TapeToCsv(text));
           });
}

void TfrmLogView::SaveAs(
    bool selectionOnly, std::string_view filter, const char* suffix,
    const std::function<platform::IoResult(const std::string&, std::string_view)>& write) {
    const std::string text = selectionOnly ? SelectedText() : text_;
    if (text.empty()) return;
    const QString path = ChooseSaveFile(this, filter, QString::fromLatin1(suffix));
    if (path.isEmpty()) return;
    if (const platform::IoResult saved = write(platform::PathFromQt(path), text); !saved) {
        QMessageBox::warning(
            this, "Pemu", Caption("保存できませんでした。\n") + QString::fromStdString(saved.what));
    }
}

void TfrmLogView::Print(bool selectionOnly) {
    PrintLog(this, selectionOnly ? SelectedText() : text_);
}

void TfrmLogView::PopupSelection() {
    std::string text = SelectedText();
    arith::TrimSpaces(text);
    if (text.empty()) return;
    ShowInPopupViewer(context(), *this, text);
}

void TfrmLogView::DeleteLog() {
    const auto answer = QMessageBox::question(
        this, "Pemu", Caption("保存済みのログを全て削除します。よろしいですか？"),
        QMessageBox::Yes | QMessageBox::No);
    if (answer != QMessageBox::Yes) return;
    const std::string path = LogPath();
    if (const platform::IoResult deleted = calclog::DeleteCalculationLog(path); !deleted) {
        QMessageBox::warning(this, "Pemu",
                             Caption("ログを削除できませんでした。\n") + platform::QtPath(path));
        return;
    }
    TextArea->clear();
    LoadLog();
}

void TfrmLogView::OpenFolder() {
    const std::string folder = context().session().paths().PathOf(shell::PathKind::kSysFolder);
    OpenWithDesktop(this, QUrl::fromLocalFile(platform::QtPath(folder)),
                    "フォルダを開けませんでした。");
}

void TfrmLogView::OpenHelp() {
    OpenManualPage(this, context().session().paths(), "logView.htm");
}

}  // namespace pemu::ui
