#pragma once
// TfrmLogView, "ログ表示 :F4": the calculation log followed by this run's tapes, read-only and
// right-aligned; reload, copy, save, print, the popup viewer for a selection, deleting the
// stored log, text sizes and the setting that keeps the log. What is shown, saved and
// printed is decided in calclog/ (log_view.hpp, log_pages.hpp); the window draws and
// forwards.
#include <QImage>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "display/grid_image.hpp"
#include "platform/file_system.hpp"
#include "ui/windows/secondary_window.hpp"

class QAction;
class QActionGroup;
class QLabel;
class QMenu;
class QMenuBar;
class QPushButton;
class QTextEdit;

namespace pemu::ui {

class SizeGrip;

class TfrmLogView : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit TfrmLogView(AppContext& context);
    ~TfrmLogView() override;

    // The log file (made empty when missing), the cleared tapes and the tape into the text
    // area, the caret after the last character.
    void LoadLog();

    // The commands, as the menus and buttons run them.
    void Save(bool selectionOnly);
    // The same text as CSV for a spreadsheet: one row per line with its plain value.
    void SaveCsv(bool selectionOnly);
    void Print(bool selectionOnly);
    void PopupSelection();
    void DeleteLog();
    void OpenFolder();
    void OpenHelp();
    void SetFontSize(int size);
    void SetLogHozon(bool on);

    // The text shown (CP932) and the selection as CP932 with CR LF line ends.
    const std::string& Text() const { return text_; }
    std::string SelectedText() const;

    QTextEdit* TextArea = nullptr;
    QMenu* MainPop = nullptr;
    QAction* PrintText = nullptr;
    QAction* SaveText = nullptr;
    QAction* SaveTextCsv = nullptr;
    QAction* Popup = nullptr;
    QAction* Copy = nullptr;
    QAction* SelectAll = nullptr;
    QAction* ClosePop = nullptr;
    QAction* PrintMenu = nullptr;
    QAction* SaveMenu = nullptr;
    QAction* SaveCsvMenu = nullptr;
    QAction* FolderOpen = nullptr;
    QAction* DeleteLogMenu = nullptr;
    QAction* CloseMenu = nullptr;
    QAction* ToBold = nullptr;
    QAction* LogHozon = nullptr;
    QAction* HelpFile = nullptr;
    QActionGroup* FontSizes = nullptr;
    QPushButton* Reload = nullptr;
    QPushButton* RunClose = nullptr;
    QLabel* Status = nullptr;

  protected:
    bool WindowKeyDown(int virtualKey, KeyModifiers modifiers) override;
    void WriteSettings() override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    // The whole text or the selection into a file the user chooses, written by `write`.
    void SaveAs(
        bool selectionOnly, std::string_view filter, const char* suffix,
        const std::function<platform::IoResult(const std::string&, std::string_view)>& write);
    void BuildMenus();
    void BuildPopup();
    void ShowStatus();
    void ApplyFont();
    void MoveCaretToEnd();
    std::string LogPath();

    std::string text_;
    int fontSize_ = 12;
    QMenuBar* menuBar_ = nullptr;
    SizeGrip* sizeGrip_ = nullptr;
    QImage statusImage_;
    std::unique_ptr<display::TStatusGrid> statusGrid_;
    bool shown_ = false;
    bool firstActivation_ = true;
    bool dragging_ = false;
    QPoint dragOffset_;
};

}  // namespace pemu::ui
