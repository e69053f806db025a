// Writing the steps of the calculator on the tape and comparing each with the step at the
// same place of the previous finished calculation.
#include "tape/tape_recorder.hpp"

#include <algorithm>

#include "arithmetic/decimal.hpp"
#include "arithmetic/text.hpp"
#include "platform/codec.hpp"
#include "tape/line_format.hpp"
#include "tape/tape_lines.hpp"

namespace pemu::tape {
namespace {

bool IsOperatorCode(int code) {
    return code >= kLineAdd && code <= kLineDivide;
}

bool IsSignChange(int code) {
    return code == kLineSignPositive || code == kLineSignNegative;
}

}  // namespace

TapeRecorder::TapeRecorder(const CoreView* core) : core_(core) {}

bool TapeRecorder::Entering() const {
    return core_ != nullptr && core_->Entering();
}

bool TapeRecorder::LastWasSignChange() const {
    return IsSignChange(lastLineCode_);
}

std::string TapeRecorder::MarkFor(int lineCode) const {
    switch (LineFormatOf(lineCode, KeyFamily::kSharp).mark) {
        case MarkKind::kReference:
            return ReferenceMark();
        case MarkKind::kBlank:
            return NoMatchMark();
        case MarkKind::kSeparator:
            return " ";
        case MarkKind::kDate:
            return DateText();
        case MarkKind::kMatch:
            break;
    }
    return valueMatch_ && kindMatch_ ? MatchMark() : NoMatchMark();
}

std::string TapeRecorder::DateText() const {
    return clock_ ? arith::TimeStamp(clock_()) : arith::TimeStamp();
}

void TapeRecorder::AppendLine(std::string_view value, int lineCode) {
    const KeyFamily family = core_ != nullptr ? core_->MakerType() : KeyFamily::kSharp;
    const LineFormat& format = LineFormatOf(lineCode, family);
    const std::string field = ValueField(value, format);
    if (format.counted) ++steps_.countedLines;
    log_.AddLineText(field, format.label, MarkFor(lineCode));
    lastLineCode_ = lineCode;
}

void TapeRecorder::RecordStep(std::string_view value, int keyCode, StepRole role) {
    const bool isResult = role == StepRole::kResult;
    const int kind = isResult                                                      ? kStepResult
                     : (keyCode == kLineMemoryPlus || keyCode == kLineMemoryMinus) ? kLineEquals
                                                                                   : keyCode;
    const bool entering = Entering();
    const bool signChange = IsSignChange(keyCode);
    const bool lastSign = LastWasSignChange();
    // An = or % pressed on a result records only the operator.
    std::string text(value);
    if (!entering && !signChange && (kind == kLineEquals || kind == kLinePercent || lastSign)) {
        text.clear();
    }
    // Only an operator that is waiting for its operand is replaced; after a result or the
    // "CASIO" add-on, an operator starts a step of its own.
    const bool pending = core_ != nullptr && core_->PendingOperator() != 0;
    const bool replacement =
        IsOperatorCode(keyCode) && !isResult && !entering && !lastSign && pending;
    const bool inPlace = replacement && steps_.countedLines > 0;

    const bool oldValueMatch = valueMatch_;
    valueMatch_ = false;
    kindMatch_ = false;
    auto& s = steps_;
    if (s.stepCount < kStepListMax) {
        if (s.stepCount > 0 && (replacement || (lastSign && signChange))) --s.stepCount;
        const auto& previous = s.previousStepList[static_cast<std::size_t>(s.stepCount)];
        if (options_.checkFunctionOn && s.stepCount <= s.previousLast) {
            valueMatch_ = inPlace ? oldValueMatch : previous.value == text;
            kindMatch_ = previous.kind == kind;
        }
        auto& entry = s.stepList[static_cast<std::size_t>(s.stepCount)];
        if (!inPlace) entry.value = text.substr(0, kStepValueMax);
        entry.kind = kind;
        ++s.stepCount;
    }

    if (!isResult) {
        if (!inPlace || !ReplaceOperatorInPlace(keyCode, kind)) {
            if (IsCalculationEmpty()) AppendLine("", kLineSeparator);
            AppendLine(text, keyCode);
        }
        ++s.countedLines;
        FlushSettingNotes();
        return;
    }
    const bool total = keyCode == kLineEquals || keyCode == kLinePercent;
    const bool grandTotal = core_ != nullptr && core_->GrandTotalOn();
    AppendLine(text, total ? (grandTotal ? kLineResultWithGrandTotal : kLineResult) : keyCode);
    if (core_ != nullptr && core_->RepeatCountIsOne()) {
        NoteConstant(core_->ConstantOperator(), core_->ConstantValue());
        FlushSettingNotes();
    }
    if (options_.autoDateOn) AppendLine("", kLineDate);
    FinishCalculation();
}

bool TapeRecorder::ReplaceOperatorInPlace(int keyCode, int kind) {
    // The operator line is the last one that is not a reference line; after a clear of the
    // tape that is the carried-over marker, which stays.
    const std::string& text = log_.TapeText();
    for (int n = 1; n <= log_.LineCount(); ++n) {
        const std::size_t start = log_.LineStartFromEnd(n);
        if (start == std::string::npos) return false;
        const std::size_t end = text.find("\r\n", start);
        const std::size_t length = end - start;
        if (length < kLabelAndMark) continue;
        const std::size_t markAt = start + length - kMarkSize;
        if (text.compare(markAt, kMarkSize, ReferenceMark()) == 0) continue;
        if (!IsOperatorCode(StepKindOf(std::string_view(text).substr(start, length)))) return false;
        log_.ReplaceTapeText(start + length - kSymbolFromEnd, 2, OperatorSymbol(keyCode));
        const int index = steps_.stepCount - 1;
        kindMatch_ = index >= 0 && index <= steps_.previousLast &&
                     steps_.previousStepList[static_cast<std::size_t>(index)].kind == kind;
        log_.ReplaceTapeText(markAt, kMarkSize,
                             valueMatch_ && kindMatch_ ? MatchMark() : NoMatchMark());
        return true;
    }
    return false;
}

void TapeRecorder::FinishCalculation() {
    auto& s = steps_;
    s.stepList[static_cast<std::size_t>(s.stepCount)].kind = 0;
    s.previousStepList = s.stepList;
    s.previousLast = s.stepCount - 1;
    s.stepCount = 0;
    s.countedLines = 0;
    s.stepList[0] = TapeStep{};
}

void TapeRecorder::StartNewCalculation() {
    steps_.stepCount = 0;
    steps_.stepList[0] = TapeStep{};
    steps_.countedLines = 0;
}

void TapeRecorder::RefreshView(int position) {
    refreshed_.Notify(position);
}

// After an undo the code of the line now last is not known; it is no longer the removed
// one, so a second undo cannot take lines that belong to something else.
void TapeRecorder::UndoTaxLines() {
    if (lastLineCode_ == kLineTaxIncluded || lastLineCode_ == kLineTaxExcluded) {
        RemoveLastLines(3);
        lastLineCode_ = 0;
    } else if (lastLineCode_ == kLineTaxIncludedAmount || lastLineCode_ == kLineTaxExcludedAmount) {
        RemoveLastLines(2);
        lastLineCode_ = 0;
    }
}

void TapeRecorder::UndoRootLines() {
    if (lastLineCode_ != kLineRootResult) return;
    RemoveLastLines(2);
    lastLineCode_ = 0;
}

void TapeRecorder::NoteSetting(int slot, std::string_view text) {
    if (slot < 0 || slot >= kSettingSlots) return;
    settingNotes_[static_cast<std::size_t>(slot)] = std::string(text.substr(0, kSettingNoteMax));
}

void TapeRecorder::NoteConstant(int constantOperator, std::string_view constantValue) {
    NoteSetting(0, "K:" + OperatorSymbol(constantOperator) +
                       arith::GroupThousands(constantValue, kGroupedMax) + " >>");
}

void TapeRecorder::NoteFamily(KeyFamily family) {
    NoteSetting(1,
                std::string("TYPE:") + (family == KeyFamily::kCasio ? "CASIO" : "SHARP") + " >>");
}

void TapeRecorder::NoteSelectors(Selectors selectors) {
    NoteSetting(
        2, std::string("Rs:") + arith::RoundSelectorName(StoredSelector(selectors.round), false) +
               " Dc:" + arith::DecimalSelectorName(StoredSelector(selectors.decimal), false) +
               " >>");
}

void TapeRecorder::NoteDigits(int panelDigit) {
    NoteSetting(3, "DIGIT:" + std::to_string(panelDigit) + " >>");
}

void TapeRecorder::NoteTaxRate(std::string_view rate) {
    NoteSetting(4, "TAX:" + std::string(rate) + " >>");
}

void TapeRecorder::NoteCheckFunction(bool on) {
    static const std::string title = platform::Sjis("検算機能:");
    NoteSetting(5, title + (on ? "ON" : "OFF") + " >>");
}

const std::string& TapeRecorder::SettingNote(int slot) const {
    static const std::string none;
    return slot >= 0 && slot < kSettingSlots ? settingNotes_[static_cast<std::size_t>(slot)] : none;
}

void TapeRecorder::FlushSettingNotes() {
    for (auto& note : settingNotes_) {
        if (note.empty()) continue;
        const std::string text = std::move(note);
        note.clear();
        AppendLine(text, kLineSettingNote);
    }
}

void TapeRecorder::ClearTape() {
    log_.KeepCleared(log_.TapeText());
    log_.ClearTapeText();
    cleared_.Notify();
    carriedPendingOperator_ = core_ != nullptr && core_->PendingOperator() != 0;
    if (core_ != nullptr && (core_->PendingOperator() != 0 || core_->LastFunction() != 0)) {
        if (log_.LineCount() == 0) AppendLine("", kLineSeparator);
        AppendLine("", kLineCarriedOver);
    }
    RefreshView(0);
}

}  // namespace pemu::tape
