#include "tape/tape_correction.hpp"

#include "arithmetic/decimal.hpp"
#include "tape/line_format.hpp"
#include "tape/tape_lines.hpp"

namespace pemu::tape {
namespace {

// The number field is read up to this many bytes.
constexpr std::size_t kFieldReadMax = 39;

// The line that takes the place of a deleted one in its calculation: the line that
// followed it (now at lineFromEnd - 1), or the one before it when the deleted line ended
// its block; 0 when the block held nothing else.
int LineAfterDeletion(const LOG& log, int lineFromEnd) {
    const std::string_view text = log.TapeText();
    for (const int candidate : {lineFromEnd - 1, lineFromEnd}) {
        const std::size_t start = log.LineStartFromEnd(candidate);
        if (start == std::string::npos) continue;
        const std::size_t end = text.find(kLineEnd, start);
        const std::string_view line = text.substr(start, end - start);
        if (!IsSeparatorLine(line)) return candidate;
    }
    return 0;
}

}  // namespace

const std::vector<std::string>& SymbolItems() {
    static const std::vector<std::string> items = {Cp932("＋"), Cp932("－"), Cp932("×"),
                                                   Cp932("÷"),  Cp932("＝"), Cp932("％")};
    return items;
}

TapeCorrection::TapeCorrection(TapeRecorder& tape, TapeView& view, StepEngine& engine)
    : tape_(tape), view_(view), engine_(engine) {}

std::string TapeCorrection::CursorLine() const {
    const std::string& text = tape_.Log().TapeText();
    const std::size_t start = tape_.Log().LineStartFromEnd(view_.CursorLineFromEnd());
    if (start == std::string::npos) return "";
    const std::size_t end = text.find(kLineEnd, start);
    return text.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool TapeCorrection::EditableLine() const {
    if (!view_.CursorOnLine()) return false;
    const std::string whole = CursorLine();
    const std::string_view line = TrimBlanks(whole);
    if (line.empty() || line.front() == '>' || line.back() == '<' || line.back() == ']') {
        return false;
    }
    return LineSymbol(line) != Cp932("～");
}

bool TapeCorrection::InLiveCalculation() const {
    return tape::InLiveCalculation(tape_, view_.CursorLineFromEnd());
}

CalculationBlock TapeCorrection::CursorBlock() const {
    return FindCalculationBlock(tape_.Log(), view_.CursorLineFromEnd());
}

bool TapeCorrection::PrepareEdit(int mode) {
    if ((mode != kEditChange && mode != kEditInsert) || !EditableLine()) return false;
    const auto& items = SymbolItems();
    const std::size_t count = InLiveCalculation() ? kOpenCalculationSymbols : items.size();
    form_.symbols.assign(items.begin(), items.begin() + static_cast<long>(count));
    form_.selected = 0;
    std::string value;
    std::string symbol = items[0];
    if (mode == kEditChange) {
        const std::string whole = CursorLine();
        const std::string_view line = TrimBlanks(whole);
        value = PlainValue(line);
        symbol = std::string(LineSymbol(line));
    }
    for (std::size_t i = 0; i < form_.symbols.size(); ++i) {
        if (form_.symbols[i] == symbol) form_.selected = i;
    }
    form_.field = NumberField(engine_.PanelDigit());
    form_.field.SetText(value);
    view_.ClosePanels();
    view_.SetEditMode(mode);
    return true;
}

EditOutcome TapeCorrection::DeleteLine() {
    if (!EditableLine()) return {};
    view_.ClosePanels();
    view_.SetEditMode(kEditDelete);
    return UpdateRunClick();
}

EditOutcome TapeCorrection::UpdateRunClick() {
    const int mode = view_.EditMode();
    if (mode == 0 || !view_.CursorOnLine()) return {};
    std::string newLine;
    if (mode != kEditDelete) {
        std::string value(TrimBlanks(form_.field.Text()).substr(0, kFieldReadMax));
        if (!value.empty() && !arith::IsNumberText(value)) {
            return {kEditBadNumber, Cp932("数値が正しくありません。")};
        }
        const std::string& symbol =
            form_.selected < form_.symbols.size() ? form_.symbols[form_.selected] : Cp932("＋");
        newLine = GroupedValue(value) + " " + symbol + Cp932("　 修") + std::string(kLineEnd);
    }

    LOG& log = tape_.Log();
    const int at = view_.CursorLineFromEnd();
    const std::size_t start = log.LineStartFromEnd(at);
    if (start == std::string::npos) return {};
    const std::string saved = log.TapeText();
    const int savedCount = log.LineCount();
    const std::size_t end = saved.find(kLineEnd, start);
    const std::size_t next = end == std::string::npos ? saved.size() : end + kLineEnd.size();
    int delta = 0;
    std::string erased;
    if (mode == kEditChange || mode == kEditDelete) {
        erased = saved.substr(start, (end == std::string::npos ? saved.size() : end) - start);
        log.EraseTapeText(start + 1, next - start);
        --delta;
    }
    if (mode == kEditChange || mode == kEditInsert) {
        log.InsertTapeText(newLine, start + 1);
        ++delta;
    }
    log.AdjustLineCount(delta);

    // The calculation that held the line: the new line's, or for a deletion that of the
    // lines around the gap (the cursor formula alone could land past the block's end).
    const int target = mode == kEditInsert   ? at + 1
                       : mode == kEditChange ? at
                                             : LineAfterDeletion(log, at);
    const RecalcOutcome outcome = target > 0 ? Recalculate(tape_, engine_, target, erased)
                                             : RecalcOutcome{kRecalcNoBlock, "", false};
    if (outcome.result == kRecalcOverflowOpen || outcome.result == kRecalcUnknownStart) {
        log.ReplaceTapeText(0, log.TapeText().size(), saved);
        log.AdjustLineCount(savedCount - log.LineCount());
        view_.RedrawAtScrollPosition();
        view_.ClosePanels();
        return {outcome.result, outcome.message};
    }
    // A hand-made last line must not be taken for the core's own when it undoes a line.
    if ((at == 1 && mode != kEditInsert) || outcome.endsTape) tape_.ForgetLastLineCode();
    view_.RedrawAtScrollPosition();
    if (outcome.result == kRecalcDone || mode == kEditDelete) {
        view_.ClosePanels();
    } else if (mode == kEditInsert) {
        // The inserted line stands at the cursor now: applying again corrects it instead
        // of inserting a second line.
        view_.SetEditMode(kEditChange);
    }
    return {outcome.result, outcome.message};
}

}  // namespace pemu::tape
