#include "tape/recalculation.hpp"

#include "arithmetic/decimal.hpp"
#include "arithmetic/text.hpp"
#include "platform/codec.hpp"
#include "tape/line_codes.hpp"
#include "tape/line_format.hpp"
#include "tape/tape_lines.hpp"

namespace pemu::tape {
namespace {

// The working values are decimal strings of up to 600 bytes.
constexpr std::size_t kWorkValueSize = 600;
// A sign-change step rebuilt from its line, which does not tell the recorded direction.
constexpr int kStepRebuiltSign = 832;

bool IsOperator(int kind) {
    return kind >= kLineAdd && kind <= kLineDivide;
}

bool IsSignChange(int kind) {
    return kind == kLineSignPositive || kind == kLineSignNegative;
}

bool IsNegative(std::string_view value) {
    return !value.empty() && value[0] == '-';
}

int CountLines(std::string_view text) {
    int count = 0;
    for (std::size_t at = text.find(kLineEnd); at != std::string_view::npos;
         at = text.find(kLineEnd, at + kLineEnd.size())) {
        ++count;
    }
    return count;
}

// The line before the one starting at start, or npos at the top of the tape.
std::size_t PreviousLineStart(std::string_view text, std::size_t start) {
    if (start < kLineEnd.size()) return std::string_view::npos;
    const std::size_t end = start - kLineEnd.size();
    const std::size_t before = end == 0 ? std::string_view::npos : text.rfind(kLineEnd, end - 1);
    return before == std::string_view::npos ? 0 : before + kLineEnd.size();
}

// The line from start to its end, and the offset just past its CR LF.
std::string_view LineAt(std::string_view text, std::size_t start, std::size_t& next) {
    std::size_t end = text.find(kLineEnd, start);
    next = end == std::string_view::npos ? text.size() : end + kLineEnd.size();
    if (end == std::string_view::npos) end = text.size();
    return text.substr(start, end - start);
}

std::string Note(std::string_view text) {
    return std::string(text) + " <<" + std::string(kLineEnd);
}

const std::string& PercentAloneMessage() {
    return platform::Sjis("SHARP式で%のみの入力式は無視されます。");
}

const std::string& PercentAfterSignMessage() {
    return platform::Sjis("SHARP式の+%,-%は入力が無視されます。");
}

const std::string& SignChangeStartMessage() {
    return platform::Sjis("符号を変えた値が検算テープにないため、この計算は再計算できません。");
}

const std::string& EmptyStartMessage() {
    return platform::Sjis("計算の始めの値が検算テープにないため、この計算は再計算できません。");
}

const std::string& CarriedStartMessage() {
    return platform::Sjis("「～」の前の計算が検算テープにないため、この計算は再計算できません。");
}

// The result line's label of a result that went into the grand total.
const std::string& GrandTotalResultLabel() {
    return platform::Sjis(" ＊+ ");
}

// The working values of one recomputation, line by line.
class Recalculation {
  public:
    explicit Recalculation(StepEngine& engine)
        : engine_(engine), sharp_(engine.MakerType() != KeyFamily::kCasio) {}

    // The old result line an edit took out: the first result unless the block names one.
    void ResultErased(std::string_view line) { FirstResultFrom(line); }

    // Classifies one line, evaluates a step and keeps what stays in the block; a refusal
    // of the "SHARP" family stops with its result.
    CorrectionResult Line(std::string_view line);
    // The result line and notes of a finished calculation.
    std::string Summary(const TapeRecorder& tape);
    // The calculator continues from the new answer; false on overflow or division by zero.
    bool Resume();

    const std::string& Block() const { return block_; }
    int EndLine() const { return endLine_; }
    bool Carried() const { return carried_; }
    // Why the calculation cannot be worked out again (CP932), when it cannot.
    const std::string& Refusal() const { return refusal_; }

  private:
    CorrectionResult Evaluate(int kind, const std::string& operand);
    void Keep(std::string_view line) {
        block_.append(line).append(kLineEnd);
        ++kept_;
    }
    bool Failed() const { return overflow_ || zeroDivide_; }
    // The old result or error: its value and label become the first result.
    void FirstResultFrom(std::string_view line) {
        const LineKind kind = ClassifyLine(line);
        if (kind != LineKind::kResult && kind != LineKind::kError) return;
        firstResult_ = std::string(line.substr(0, line.size() - kMarkSize));
    }
    CorrectionResult RefuseStart(const std::string& message) {
        refusal_ = message;
        return kRecalcUnknownStart;
    }
    // The grand total took the first result, and the new one is not that result.
    bool GrandTotalLeftBehind(std::string_view newValue) const;

    StepEngine& engine_;
    const bool sharp_;
    std::string block_;
    int kept_ = 0;
    std::string r_ = "0";  // the running result
    std::string a_;        // the accumulator: the running result as the next step takes it
    int p_ = 0;            // the kind of the step before (0: none yet)
    std::string firstResult_;
    bool carried_ = false;
    bool stepsAfterEnd_ = false;
    bool overflow_ = false;
    bool zeroDivide_ = false;
    int endLine_ = 0;
    std::string refusal_;
    // The last step that is no sign change: its operator is the one left pending.
    std::string lastOperand_;
    int lastKind_ = 0;
};

CorrectionResult Recalculation::Line(std::string_view line) {
    const std::size_t length = line.size();
    switch (ClassifyLine(line)) {
        case LineKind::kMemory:
        case LineKind::kGrandTotal:
        case LineKind::kRoot:
        case LineKind::kTaxBase:
        case LineKind::kTax:
        case LineKind::kTaxResult:
            Keep(line);
            return kRecalcDone;
        case LineKind::kNote:
        case LineKind::kDate:
            // Old notes and date lines; the first result of an earlier recomputation is kept.
            if (IsReferenceLine(line)) {  // a setting note stays
                Keep(line);
            } else if (line.substr(0, 2) == "1s") {
                firstResult_ = length > 7 ? std::string(line.substr(4, length - 7)) : "";
            }
            return kRecalcDone;
        case LineKind::kCarried:
            carried_ = true;
            Keep(line);
            return kRecalcDone;
        case LineKind::kClear:
        case LineKind::kSubtotal:
            return kRecalcDone;  // old clear lines and subtotals go
        case LineKind::kResult:
        case LineKind::kError:
            FirstResultFrom(line);
            return kRecalcDone;
        default:
            break;
    }
    if (endLine_ != 0) {
        stepsAfterEnd_ = true;
        Keep(line);
        return kRecalcDone;
    }
    const std::string operand = PlainValue(line);
    const int kind = StepKindOf(line);
    if (const CorrectionResult refused = Evaluate(kind, operand); refused != kRecalcDone)
        return refused;
    // A sign change waits for no operand: the operator before it is still the pending one.
    if (!IsSignChange(kind)) {
        lastOperand_ = operand;
        lastKind_ = kind;
    }
    Keep(line);
    return kRecalcDone;
}

CorrectionResult Recalculation::Evaluate(int kind, const std::string& operand) {
    // A sign change before any number: the value it changed is not on the tape.
    if (IsSignChange(kind) && p_ == 0 && a_.empty()) return RefuseStart(SignChangeStartMessage());
    if (kind == kLineSignPositive) {
        if (IsNegative(a_)) a_.erase(0, 1);
        return kRecalcDone;
    }
    if (kind == kLineSignNegative) {
        if (!IsNegative(a_)) a_.insert(0, 1, '-');
        return kRecalcDone;
    }
    const auto compute = [this](std::string_view left, int key, std::string_view right, int op) {
        const StepForm form = key == kLinePercent ? StepForm::kPercent : StepForm::kPlain;
        return engine_.ComputeStep(left, false, form, right, op);
    };
    if (p_ == 0) {
        if (sharp_ && kind == kLinePercent) {
            if (a_.empty() && operand.empty()) return kRecalcPercentAlone;
            a_ = "0";
        } else if (operand.empty()) {
            // A first step without a number took the value shown before it (a result of the
            // calculation before, the sign change of one): that value is not on these lines.
            return RefuseStart(EmptyStartMessage());
        } else {
            a_ = operand;
        }
        r_ = a_;
    } else if (!operand.empty()) {
        if (p_ == kLineDivide && operand == "0") {
            r_ = "0";
            zeroDivide_ = true;
        } else {
            r_ = compute(a_, kind, operand, p_);
        }
    } else if (IsOperator(kind)) {
        // An operator pressed without a number only replaces the pending one.
        r_ = a_;
    } else if (p_ == kLineAdd || p_ == kLineSubtract) {
        if (sharp_ && kind == kLinePercent) return kRecalcPercentAfterSign;
        r_ = sharp_ ? compute(a_, 0, p_ == kLineAdd ? "1" : "-1", kLineMultiply) : a_;
    } else if (p_ == kLineMultiply) {
        r_ = compute(a_, kind, a_, kLineMultiply);
    } else if (p_ == kLineDivide) {
        r_ = compute(sharp_ ? std::string("1") : a_, kind, a_, kLineDivide);
    }
    // A zero divisor the operand test cannot see ("-0", the "CASIO" percent guards) is a
    // division by zero too, and the flag must not reach the calculator's next key.
    if (engine_.TakeDivideError()) zeroDivide_ = true;
    p_ = kind;
    // An empty running value is no number yet, not an overflow.
    overflow_ = !r_.empty() && r_ != "-" && engine_.ExceedsDisplay(r_);
    a_ = overflow_ ? engine_.OverflowView(r_) : r_;
    if (Failed() || kind == kLineEquals || kind == kLinePercent) endLine_ = kept_ + 1;
    return kRecalcDone;
}

std::string Recalculation::Summary(const TapeRecorder& tape) {
    const Selectors selectors = engine_.CurrentSelectors();
    if (!Failed()) a_ = engine_.RoundResult(a_, kWorkValueSize, selectors);
    const char* label = endLine_ == 0 ? " 小計" : Failed() ? " ＥＦ" : " ＊　";
    const std::string value = GroupedValue(a_);
    std::string out = value + platform::Sjis(label) + NoMatchMark() + std::string(kLineEnd);
    const std::string line = std::to_string(endLine_);
    out += Note("--------------------");
    if (carried_) out += Note(platform::Sjis("※「～」から計算の開始"));
    if (Failed()) {
        out +=
            Note(platform::Sjis(zeroDivide_ ? "※オーバーフロー(0除算)行:" : "※オーバーフロー行:") +
                 line);
    }
    if (stepsAfterEnd_ && !Failed()) out += Note(platform::Sjis("※計算終了行:") + line);
    // The grand total keeps what the keys put into it: the tape says when it no longer
    // agrees with the corrected result.
    if (GrandTotalLeftBehind(endLine_ != 0 && !Failed() ? value : std::string_view{})) {
        out += Note(platform::Sjis("※この修正はGTに反映されません"));
    }
    out += Note(std::string(sharp_ ? "SHARP " : "CASIO ") +
                "DIGIT:" + std::to_string(engine_.PanelDigit()));
    out +=
        Note(std::string("Rs:") + arith::RoundSelectorName(StoredSelector(selectors.round), false) +
             " Dc:" + arith::DecimalSelectorName(StoredSelector(selectors.decimal), false));
    out += Note("1st:" + firstResult_);
    if (tape.Options().autoDateOn) out += Note(tape.DateText());
    return out;
}

bool Recalculation::GrandTotalLeftBehind(std::string_view newValue) const {
    const std::string& label = GrandTotalResultLabel();
    if (!firstResult_.ends_with(label)) return false;
    const std::string_view added(firstResult_.data(), firstResult_.size() - label.size());
    return newValue.empty() || newValue != added;
}

bool Recalculation::Resume() {
    if (Failed()) return false;
    // The calculator never holds more digits than it shows: the answer is cut as an
    // operator key cuts an intermediate result.
    std::string answer = engine_.RoundResult(
        a_, kWorkValueSize, {.round = RoundSelector::kF, .decimal = DecimalSelector::kF});
    if (answer.empty() || answer == "-") answer = "0";
    engine_.ResumeFromTape(lastOperand_, IsOperator(lastKind_) ? lastKind_ : 0, answer);
    return true;
}

}  // namespace

CalculationBlock FindCalculationBlock(const LOG& log, int lineFromEnd) {
    CalculationBlock block;
    const std::string_view text = log.TapeText();
    const std::size_t at = log.LineStartFromEnd(lineFromEnd);
    if (at == std::string::npos) return block;
    std::size_t next = 0;
    if (IsSeparatorLine(LineAt(text, at, next))) return block;
    block.found = true;
    block.cursorLineEnd = next;
    block.start = at;
    for (std::size_t before = PreviousLineStart(text, block.start);
         before != std::string_view::npos; before = PreviousLineStart(text, block.start)) {
        if (IsSeparatorLine(LineAt(text, before, next))) break;
        block.start = before;
    }
    block.end = block.cursorLineEnd;
    while (block.end < text.size() && !IsSeparatorLine(LineAt(text, block.end, next))) {
        block.end = next;
    }
    block.text = arith::TrimSet(text.substr(block.start, block.end - block.start), " \r\n");
    return block;
}

bool InLiveCalculation(const TapeRecorder& tape, int lineFromEnd) {
    if (tape.Steps().stepCount == 0) return false;
    const CalculationBlock block = FindCalculationBlock(tape.Log(), lineFromEnd);
    return block.found && block.end == tape.Log().TapeText().size();
}

RecalcOutcome Recalculate(TapeRecorder& tape, StepEngine& engine, int lineFromEnd,
                          std::string_view erasedLine) {
    LOG& log = tape.Log();
    const CalculationBlock block = FindCalculationBlock(log, lineFromEnd);
    if (!block.found) return {kRecalcNoBlock, "", false};
    const bool last = block.end == log.TapeText().size();
    const bool live = last && tape.Steps().stepCount > 0;
    const std::string old = log.TapeText().substr(block.start, block.end - block.start);

    Recalculation work(engine);
    work.ResultErased(erasedLine);
    for (const TapeLine& line : SplitTapeLines(old)) {
        const CorrectionResult refused = work.Line(LineText(old, line));
        if (refused == kRecalcPercentAlone) return {refused, PercentAloneMessage(), false};
        if (refused == kRecalcPercentAfterSign) return {refused, PercentAfterSignMessage(), false};
        if (refused == kRecalcUnknownStart) return {refused, work.Refusal(), false};
    }
    // The calculator went on from a value that stood on the cleared tape: the lines after
    // the carried-over marker alone would give another answer.
    if (live && work.Carried() && tape.CarriedPendingOperator()) {
        return {kRecalcUnknownStart, CarriedStartMessage(), false};
    }
    std::string rebuilt;
    if (live) {
        if (!work.Resume()) {
            return {kRecalcOverflowOpen,
                    std::to_string(work.EndLine()) + platform::Sjis("行目でオーバーフローします。"),
                    false};
        }
        rebuilt = RebuildStepList(tape, work.Block());
    } else {
        rebuilt = work.Block() + work.Summary(tape);
    }
    log.ReplaceTapeText(block.start, block.end - block.start, rebuilt);
    log.AdjustLineCount(CountLines(rebuilt) - CountLines(old));
    return {kRecalcDone, "", last && !live};
}

std::string RebuildStepList(TapeRecorder& tape, std::string_view block) {
    StepLists& s = tape.Steps();
    s.stepCount = 0;
    s.countedLines = 0;
    s.stepList[0] = TapeStep{};
    std::string out;
    for (const TapeLine& span : SplitTapeLines(block)) {
        std::string line(LineText(block, span));
        // The carried-over marker is no step, as it was none when it was written: the
        // steps after it keep the places they had in the list.
        if (s.stepCount < kStepListMax && !IsReferenceLine(line) &&
            ClassifyLine(line) != LineKind::kCarried) {
            const int kind = StepKindOf(line);
            TapeStep step{PlainValue(line).substr(0, kStepValueMax),
                          IsSignChange(kind) ? kStepRebuiltSign : kind};
            const auto index = static_cast<std::size_t>(s.stepCount);
            // Compared only with the steps the previous calculation had, as when recording.
            const TapeStep& previous = s.previousStepList[index];
            const bool match = tape.Options().checkFunctionOn && s.stepCount <= s.previousLast &&
                               previous.value == step.value && previous.kind == step.kind;
            const std::size_t length = line.size();
            if (length >= kMarkSize && line[length - kMarkSize] == ' ') {
                const std::string mark = line.substr(length - 2);
                if (match) {
                    line.replace(length - 2, 2, platform::Sjis("同"));
                } else if (mark == platform::Sjis("同")) {
                    line.replace(length - 2, 2, platform::Sjis("　"));
                }
            }
            s.stepList[index] = std::move(step);
            ++s.stepCount;
            ++s.countedLines;
        }
        out.append(line).append(kLineEnd);
    }
    return out;
}

}  // namespace pemu::tape
