#pragma once
// The check tape window's view without the window: which lines the grid shows and how they
// are numbered, the selected row, scrolling, auto scroll, and whether the command panel or
// an edit is open. The window draws Rows() and forwards keys, wheel and clicks; tests and
// pemu-calc drive the same object with no window at all.
#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "tape/tape_recorder.hpp"

namespace pemu::tape {

inline constexpr int kMaxVisibleRows = 50;
// The shift flag of ScrollTape: Up and Down then move by the wheel step.
inline constexpr int kShiftFlag = 16;

enum class ScrollKey { kNone, kPageUp, kPageDown, kUp, kDown };

// The edit the input box serves.
enum class EditKind { kEditNone, kEditChange, kEditInsert, kEditDelete };
using enum EditKind;

struct TapeRow {
    int number = 0;          // counts the lines after the tape's first separator, from 1
    std::string_view text;   // the line without CR LF, valid until the tape changes
    bool tenth = false;      // a multiple of 10: grey number cell with white digits
    bool reference = false;  // ends with "‥": coloured when that option is checked
    int redBytes = 0;        // leading bytes drawn again in red (two-colour mode)
};

struct ScrollBarState {
    int min = 0;
    int max = 0;
    int position = 0;  // the number of the first visible line
    int page = 0;
    bool visible = false;  // otherwise the disabled stand-in takes its place
};

// Two-colour mode: how many leading bytes of line are red. state carries "the line before
// was a subtraction" from row to row and starts cleared for each drawing.
int ColouredLength(std::string_view line, bool& state);

class TapeView {
  public:
    using Redrawn = platform::ListenerList<>;

    // Follows the recorder for as long as the view lives; the selected row is taken over
    // from the view before and kept for the next.
    explicit TapeView(TapeRecorder& tape);
    ~TapeView();
    TapeView(const TapeView&) = delete;
    TapeView& operator=(const TapeView&) = delete;

    // ---- Window and settings -----------------------------------------------------------
    // While closed nothing is drawn or scrolled; the cursor row is kept.
    void SetOpen(bool open) { open_ = open; }
    bool IsOpen() const { return open_; }
    // Rows that fit into the grid, at most 50; a cursor row below them is moved up.
    void SetVisibleRows(int rows);
    void SetAutoScroll(bool on) { autoScroll_ = on; }
    // Lines per wheel step and per shifted Up or Down ("KenzanScroll").
    void SetWheelLines(int lines) { wheelLines_ = lines > 0 ? lines : 1; }
    void SetTwoColour(bool on) { twoColourOn_ = on; }

    // ---- Drawing -----------------------------------------------------------------------
    // The last visibleRows lines; with auto scroll the cursor follows the last line, without
    // it the view goes back to where it was. A position moves the view back to that line.
    void RefreshView(int position);
    // The tape was cleared: no rows, nothing below, the cursor on row 1, no panel open.
    void TapeCleared();
    // The view has taken a recording's lines (while open): a window draws it then, and
    // never has to follow the tape itself.
    [[nodiscard]] Redrawn::Subscription OnRedrawn(std::function<void()> listener) {
        return redrawn_.Add(std::move(listener));
    }
    // Scrolls by key (a page, a line, or the wheel step when shiftFlag is 16) or to the line
    // numbered position; closes the command panel and any edit. toEnd: the view is taken
    // as standing at the end first.
    void ScrollTape(ScrollKey key, int shiftFlag, bool toEnd, int position);
    // After an edit: drawn again from the scroll bar's position with the cursor row kept.
    void RedrawAtScrollPosition();
    // The drawn rows, top to bottom.
    std::vector<TapeRow> Rows() const;
    // What each of the visibleRows grid rows shows, top to bottom; nothing for an empty row.
    // While an insertion is open the rows from the cursor row on stand one row lower and
    // the cursor row is empty, where the new line will go.
    std::vector<std::optional<TapeRow>> GridRows() const;
    const ScrollBarState& ScrollBar() const { return scroll_; }
    // Lines the grid numbers: every line but a leading separator line.
    int NumberedLines() const;

    // ---- Selection ---------------------------------------------------------------------
    // A key while the grid has the focus: Up and Down move the cursor and scroll at the
    // edge, shifted they scroll by the wheel step; Page Up and Down scroll by a page.
    void GridKey(ScrollKey key, bool shift);
    // A click on row (1-based); the panels close.
    void SelectRow(int row);
    // Scrolls as far as needed to show the line numbered number and puts the cursor on it;
    // false when there is no such line.
    bool SelectLine(int number);
    // The cursor row holds a line.
    bool CursorOnLine() const { return drawnRows_ > 0 && cursorRow_ <= drawnRows_; }
    // Position from the end of the tape (1 = last line) of the line at the cursor row, or
    // of the last drawn line when the cursor row is below it; 0 when nothing is drawn.
    int CursorLineFromEnd() const;

    // ---- Command panel and input box ---------------------------------------------------
    void OpenCommandPanel() { panelOpen_ = true; }
    bool CommandPanelOpen() const { return panelOpen_; }
    // While an insertion is open the grid shows the rows from the cursor row one row lower
    // and the cursor row empty, where the new line will go.
    EditKind EditMode() const { return editMode_; }
    void SetEditMode(EditKind kind) { editMode_ = kind; }
    // Esc, a click on the grid, another window: panel and input box close.
    void ClosePanels();

    // ---- State the window reads --------------------------------------------------------
    int VisibleRows() const { return visibleRows_; }
    int DrawnRows() const { return drawnRows_; }
    int RowsBelow() const { return rowsBelow_; }
    std::size_t ViewStart() const { return viewStart_; }
    int CursorRow() const { return cursorRow_; }
    bool AutoScroll() const { return autoScroll_; }
    int WheelLines() const { return wheelLines_; }
    int FirstNumber() const { return firstNumber_; }

  private:
    // Draws from the line numbered first (kept within the tape); sets everything the
    // drawing decides: drawn rows, rows below, view start, scroll bar.
    void DrawLines(int first);
    int EndFirst() const;
    // Offset of the first byte of the line numbered number.
    std::size_t LineStart(int number) const;

    TapeRecorder& tape_;
    bool open_ = false;
    int visibleRows_ = 1;
    int drawnRows_ = 0;
    int rowsBelow_ = 0;
    std::size_t viewStart_ = 0;
    int firstNumber_ = 0;
    int cursorRow_ = 1;
    bool autoScroll_ = true;
    int wheelLines_ = 1;
    bool twoColourOn_ = false;
    ScrollBarState scroll_;
    EditKind editMode_ = kEditNone;
    bool panelOpen_ = false;
    Redrawn redrawn_;
    TapeRecorder::Refreshed::Subscription refreshed_;
    TapeRecorder::Cleared::Subscription cleared_;
};

}  // namespace pemu::tape
