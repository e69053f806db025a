// The view keeps the number of lines below the last visible row; the first visible line,
// the scroll bar and the line numbers follow from it and the tape.
#include "tape/tape_view.hpp"

#include <algorithm>

#include "platform/codec.hpp"
#include "tape/tape_lines.hpp"

namespace pemu::tape {
namespace {

// The byte after the symbol of an M line: " Ｍ+ " or " Ｍ- ".
constexpr std::size_t kSignFromEnd = 5;

}  // namespace

int ColouredLength(std::string_view line, bool& state) {
    const std::size_t length = line.size();
    const int value = length > kLabelAndMark ? static_cast<int>(length - kLabelAndMark) : 0;
    if (IsReferenceLine(line)) {
        // A deducted tax: "…TAX " + amount + "-".
        const bool deducted = line.substr(0, platform::Sjis("…").size()) == platform::Sjis("…") &&
                              length >= 9 && line[length - 9] == '-';
        return deducted ? value : 0;
    }
    const std::string_view symbol = LineSymbol(line);
    if (symbol == "SC") return 0;
    int red = 0;
    if (state && symbol != platform::Sjis("小") && symbol != platform::Sjis("＊") &&
        symbol != platform::Sjis("Ｅ")) {
        red = value;
    }
    state = symbol == platform::Sjis("－");
    if (symbol == platform::Sjis("Ｍ") && line[length - kSignFromEnd] == '-') red = value;
    return red;
}

TapeView::TapeView(TapeRecorder& tape)
    : tape_(tape),
      cursorRow_(tape.Options().cursorRow),
      refreshed_(tape.OnRefresh([this](int position) {
          RefreshView(position);
          if (open_) redrawn_.Notify();
      })),
      cleared_(tape.OnCleared([this] { TapeCleared(); })) {}

TapeView::~TapeView() {
    tape_.Options().cursorRow = cursorRow_;
}

void TapeView::SetVisibleRows(int rows) {
    visibleRows_ = std::clamp(rows, 1, kMaxVisibleRows);
    cursorRow_ = std::min(cursorRow_, visibleRows_);
}

int TapeView::NumberedLines() const {
    const int count = tape_.LineCount();
    if (count == 0) return 0;
    const std::string& text = tape_.Log().TapeText();
    const std::size_t end = text.find(kLineEnd);
    const std::string_view first(text.data(), end == std::string::npos ? text.size() : end);
    return IsSeparatorLine(first) ? count - 1 : count;
}

std::size_t TapeView::LineStart(int number) const {
    const std::size_t start = tape_.Log().LineStartFromEnd(NumberedLines() - number + 1);
    return start == std::string::npos ? 0 : start;
}

int TapeView::EndFirst() const {
    return std::max(1, NumberedLines() - visibleRows_ + 1);
}

void TapeView::DrawLines(int first) {
    const int lines = NumberedLines();
    if (lines == 0) {
        drawnRows_ = rowsBelow_ = firstNumber_ = 0;
        viewStart_ = tape_.Log().TapeText().size();
        scroll_ = ScrollBarState{};
        return;
    }
    firstNumber_ = std::clamp(first, 1, lines);
    drawnRows_ = std::min(visibleRows_, lines - firstNumber_ + 1);
    rowsBelow_ = lines - (firstNumber_ + drawnRows_ - 1);
    viewStart_ = LineStart(firstNumber_);
    scroll_.min = 1;
    scroll_.max = lines;
    scroll_.position = lines < visibleRows_ ? 1 : firstNumber_;
    scroll_.page = std::min(lines, visibleRows_);
    scroll_.visible = lines > visibleRows_;
}

void TapeView::RefreshView(int position) {
    if (!open_) return;
    if (!autoScroll_) position = scroll_.position;
    DrawLines(EndFirst());
    if (autoScroll_) cursorRow_ = std::max(drawnRows_, 1);
    if (position != 0) ScrollTape(ScrollKey::kNone, 0, true, position);
}

void TapeView::TapeCleared() {
    drawnRows_ = rowsBelow_ = firstNumber_ = 0;
    viewStart_ = 0;
    cursorRow_ = 1;
    scroll_ = ScrollBarState{};
    ClosePanels();
}

void TapeView::ScrollTape(ScrollKey key, int shiftFlag, bool toEnd, int position) {
    if (!open_) return;
    ClosePanels();
    const int lines = NumberedLines();
    if (visibleRows_ >= lines) return;
    const int first = toEnd || firstNumber_ == 0 ? EndFirst() : firstNumber_;
    const int step = shiftFlag == kShiftFlag ? wheelLines_ : 1;
    int d = 0;  // positive: towards older lines
    if (position > 0) {
        d = first - position;
    } else if (key == ScrollKey::kPageUp) {
        d = visibleRows_;
    } else if (key == ScrollKey::kPageDown) {
        d = -visibleRows_;
    } else if (key == ScrollKey::kUp) {
        d = step;
    } else if (key == ScrollKey::kDown) {
        d = -step;
    }
    const bool atEnd = first + visibleRows_ - 1 >= lines;
    if ((d < 0 && atEnd) || (d > 0 && first < 2)) return;
    int next = d > 0 ? std::max(1, first - d) : first - d;
    // Too few lines left below: the view stands at the end.
    if (lines - next + 1 < visibleRows_) next = EndFirst();
    DrawLines(next);
}

void TapeView::RedrawAtScrollPosition() {
    const int position = scroll_.position;
    const int lines = NumberedLines();
    int first = position > 0 ? position : EndFirst();
    if (lines - first + 1 < visibleRows_) first = EndFirst();
    DrawLines(first);
}

std::vector<TapeRow> TapeView::Rows() const {
    std::vector<TapeRow> rows;
    if (drawnRows_ == 0) return rows;
    const std::string_view text = tape_.Log().TapeText();
    bool subtracted = false;
    std::size_t start = LineStart(firstNumber_);
    for (int r = 0; r < drawnRows_ && start < text.size(); ++r) {
        std::size_t end = text.find(kLineEnd, start);
        if (end == std::string_view::npos) end = text.size();
        TapeRow row;
        row.number = firstNumber_ + r;
        row.text = text.substr(start, end - start);
        row.tenth = row.number % 10 == 0;
        row.reference = IsReferenceLine(row.text);
        row.redBytes = twoColourOn_ ? ColouredLength(row.text, subtracted) : 0;
        rows.push_back(row);
        start = end + kLineEnd.size();
    }
    return rows;
}

std::vector<std::optional<TapeRow>> TapeView::GridRows() const {
    std::vector<std::optional<TapeRow>> grid(static_cast<std::size_t>(visibleRows_));
    const bool inserting = editMode_ == kEditInsert;
    std::size_t at = 0;
    for (const TapeRow& row : Rows()) {
        if (inserting && at + 1 == static_cast<std::size_t>(cursorRow_)) ++at;
        if (at >= grid.size()) break;
        grid[at++] = row;
    }
    return grid;
}

void TapeView::GridKey(ScrollKey key, bool shift) {
    if (shift && (key == ScrollKey::kUp || key == ScrollKey::kDown)) {
        ScrollTape(key, kShiftFlag, false, 0);
    } else if (key == ScrollKey::kUp && cursorRow_ > 1) {
        --cursorRow_;
    } else if (key == ScrollKey::kDown && cursorRow_ < drawnRows_) {
        ++cursorRow_;
    } else {
        ScrollTape(key, 0, false, 0);
    }
}

void TapeView::SelectRow(int row) {
    ClosePanels();
    cursorRow_ = std::clamp(row, 1, visibleRows_);
}

bool TapeView::SelectLine(int number) {
    if (number < 1 || number > NumberedLines()) return false;
    const bool shown = number >= firstNumber_ && number < firstNumber_ + drawnRows_;
    if (!shown) {
        const int first = number < firstNumber_ ? number : number - visibleRows_ + 1;
        ScrollTape(ScrollKey::kNone, 0, false, std::max(first, 1));
    }
    if (number < firstNumber_ || number >= firstNumber_ + drawnRows_) return false;
    cursorRow_ = number - firstNumber_ + 1;
    return true;
}

int TapeView::CursorLineFromEnd() const {
    if (drawnRows_ == 0) return 0;
    return drawnRows_ + rowsBelow_ - std::min(cursorRow_, drawnRows_) + 1;
}

void TapeView::ClosePanels() {
    panelOpen_ = false;
    editMode_ = kEditNone;
}

}  // namespace pemu::tape
