#pragma once
// TfrmKenzan, the check tape window "検算 :F1": the tape as a numbered grid with the red
// cursor frame, its scroll bar, the status line of the tape options, three buttons, the
// command panel and the input box of a correction. It draws the tape view and forwards keys,
// clicks and menu choices to it and to the correction; both live in tape/ and work without
// a window.
#include <QImage>
#include <memory>

#include "tape/tape_correction.hpp"
#include "tape/tape_recorder.hpp"
#include "tape/tape_view.hpp"
#include "ui/windows/secondary_window.hpp"

class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollBar;

namespace pemu::display {
class TStatus;
}

namespace pemu::ui {

class TapeCommandPanel;
class TapeGridWidget;
class TapeInputBox;
class TapeInputButtons;
class TapeStatusWidget;

// The items of the window's menus (`MainM`).
struct KenzanMenu {
    QMenu* OptionMenu = nullptr;  // "設定(&O)"
    QAction* Closem = nullptr;
    std::vector<QAction*> FontSize;  // FontSize10 … FontSize40, tag = size
    std::vector<QAction*> Scroll;    // Scroll1 … Scroll6, tag = lines
    QAction* IsAutoScroll = nullptr;
    QAction* KenzanCheck = nullptr;
    QAction* KenzanAutoDate = nullptr;
    QAction* IsColorOn = nullptr;
    QAction* IsOptColor = nullptr;
    QAction* IsInputPanel = nullptr;
    QAction* OpenHelp = nullptr;
};

class TfrmKenzan : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit TfrmKenzan(AppContext& context);
    ~TfrmKenzan() override;

    // The tape cleared (ClearRun, Shift+Delete here and in the main window).
    void ClearTape();
    // Opens the command panel under the cursor row (Enter on the grid, its popup).
    void OpenCommandPanel();

    // The view and the correction the window works on (tests and the key session reach
    // the tape's state through them).
    tape::TapeView& View() { return view_; }
    tape::TapeCorrection& Correction() { return correction_; }

  protected:
    void WriteSettings() override;
    bool WindowKeyDown(int virtualKey, KeyModifiers modifiers) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // Construction (kenzan_window.cpp).
    void BuildControls();
    void BuildMenus();
    void ConnectControls();
    void ReadSettings();
    // Places everything for the client size, fits the rows and redraws.
    void LayOut();
    // Draws the grid, the scroll bar and the status line from the view.
    void DrawView();
    void ShowStatus();
    void SetFontSize(int size);
    void SetWheelLines(int lines);
    void SetAutoScroll(bool on);
    void ShowPinMark();
    void ScrollBarMoved(int action);
    void OpenHelpPage();
    void OptionMenuShown();

    // Keys, panel and input box (kenzan_window_edit.cpp).
    bool EditKeyDown(int virtualKey, KeyModifiers modifiers);
    bool PlainKeyDown(int virtualKey, KeyModifiers modifiers);
    void GridPressed(int y, Qt::MouseButton button);
    void GridKey(int virtualKey);
    void GridWheel(int delta);
    void ConnectEditing();
    void PrepareEdit(tape::EditKind mode);
    void PlaceInputBox();
    void ShowInputButtons(bool on);
    void UpdateRunClick();
    void DeleteLine();
    void ShowOutcome(const tape::EditOutcome& outcome);
    void CloseEdit();
    void ShowPopup();
    bool EditOpen() const;
    void FocusGrid();
    // A message box captioned "Pemu" that does not count as leaving the window.
    void Message(const std::string& cp932Text);

    tape::TapeView view_;
    tape::TapeCorrection correction_;
    // The view has taken new lines: the grid shows them.
    tape::TapeView::Redrawn::Subscription redrawn_;

    QMenuBar* menuBar_ = nullptr;
    KenzanMenu menu_;
    QWidget* client_ = nullptr;
    TapeGridWidget* grid_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    QScrollBar* dummy_ = nullptr;
    QImage statusImage_;
    std::unique_ptr<display::TStatus> status_;
    TapeStatusWidget* statusWidget_ = nullptr;
    QWidget* sizeGrip_ = nullptr;
    QPushButton* logView_ = nullptr;
    QPushButton* clearRun_ = nullptr;
    QPushButton* closeRun_ = nullptr;
    QWidget* pin_ = nullptr;
    TapeCommandPanel* panel_ = nullptr;
    TapeInputBox* inputBox_ = nullptr;
    TapeInputButtons* inputButtons_ = nullptr;

    int statusTop_ = 0;
    int fontSize_ = 12;
    int wheelLines_ = 1;
    bool inputPanel_ = true;
    bool laidOut_ = false;
    bool messageShown_ = false;
};

}  // namespace pemu::ui
