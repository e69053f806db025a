#pragma once
// Recording on the check tape: every step the calculator performs becomes one line, and a
// calculation keyed a second time is compared step by step with the one before it. Works
// without a tape window; a view follows it through listeners and a window only draws.
#include <array>
#include <cstddef>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/listener_list.hpp"
#include "tape/core_view.hpp"
#include "tape/line_codes.hpp"
#include "tape/selectors.hpp"
#include "tape/tape_store.hpp"

namespace pemu::tape {

inline constexpr int kStepListMax = 1000;
// A step's value is kept in a 20-byte slot.
inline constexpr std::size_t kStepValueMax = 19;
inline constexpr int kSettingSlots = 10;
// A note is kept in a 40-byte slot.
inline constexpr std::size_t kSettingNoteMax = 39;

// What RecordStep records: a step of the calculation or its result.
enum class StepRole { kStep, kResult };

struct TapeStep {
    std::string value;
    int kind = 0;
};

// The steps of the calculation being keyed and of the last finished one.
struct StepLists {
    // One slot more than the list holds: a full list still has its end marker.
    std::array<TapeStep, kStepListMax + 1> stepList{};
    int stepCount = 0;
    std::array<TapeStep, kStepListMax + 1> previousStepList{};
    int previousLast = 0;
    // Counted lines of the current calculation; 0: the next step begins a new one.
    int countedLines = 0;
};

// Its defaults are those of a fresh settings file: the start-up settings take them from here.
struct TapeOptions {
    bool checkFunctionOn = true;  // "KenzanCheck"
    bool autoDateOn = true;       // "KenzanAutoDate"
    bool twoColourOn = true;      // "KenzanIsColor": the tape window draws subtrahends red
    // The tape window's selected row: it outlives the window.
    int cursorRow = 1;
};

class TapeRecorder {
  public:
    // core may be given later (AttachCore); without one the tape reads an idle calculator.
    explicit TapeRecorder(const CoreView* core = nullptr);

    using Refreshed = platform::ListenerList<int>;
    using Cleared = platform::ListenerList<>;

    void AttachCore(const CoreView* core) { core_ = core; }
    // A recording sequence ended; the listener gets the line to show (0: the end).
    [[nodiscard]] Refreshed::Subscription OnRefresh(std::function<void(int)> listener) {
        return refreshed_.Add(std::move(listener));
    }
    // The tape was cleared: a view's own state starts over (a refresh follows).
    [[nodiscard]] Cleared::Subscription OnCleared(std::function<void()> listener) {
        return cleared_.Add(std::move(listener));
    }
    std::size_t ListenerCount() const { return refreshed_.size() + cleared_.size(); }
    // The time used for date lines instead of the local time (tests fix it).
    void SetClock(std::function<std::tm()> clock) { clock_ = std::move(clock); }
    // "[YYYY/MM/DD hh:mm:ss]" of the clock: the date line's text.
    std::string DateText() const;

    // An operator, equals, percent, M+/M- or sign-change step, or the result of a
    // calculation.
    void RecordStep(std::string_view value, int keyCode, StepRole role);
    // Any other line: the code fixes value treatment, label, mark and counting.
    void AppendLine(std::string_view value, int lineCode);
    // Tells the listeners that a recording sequence ended.
    void RefreshView(int position);

    int LastLineCode() const { return lastLineCode_; }
    // The last line was changed by hand: its code is no longer known, so nothing undoes it.
    void ForgetLastLineCode() { lastLineCode_ = 0; }
    int LineCount() const { return log_.LineCount(); }
    bool IsCalculationEmpty() const { return steps_.countedLines == 0; }
    bool LastWasSignChange() const;
    void StartNewCalculation();
    void RemoveLastLines(int n) { log_.RemoveLastLines(n); }
    // Last line a tax result (11, 12): three lines off; a tax amount (48, 49): two.
    void UndoTaxLines();
    // Last line a root result (9): two lines off.
    void UndoRootLines();

    // Setting notes, written into the tape with the next step or flush.
    void NoteSetting(int slot, std::string_view text);
    void NoteConstant(int constantOperator, std::string_view constantValue);  // slot 0
    void NoteFamily(KeyFamily family);                                        // slot 1
    void NoteSelectors(Selectors selectors);                                  // slot 2
    void NoteDigits(int panelDigit);                                          // slot 3
    void NoteTaxRate(std::string_view rate);                                  // slot 4
    void NoteCheckFunction(bool on);                                          // slot 5
    void FlushSettingNotes();

    // Keeps the text in the cleared texts, empties the tape and, when a calculation is
    // open in the calculator, continues it under the carried-over marker.
    void ClearTape();
    // The carried-over marker of this tape stands for an operation still waiting for its
    // second operand: its first operand stood on the cleared tape.
    bool CarriedPendingOperator() const { return carriedPendingOperator_; }

    LOG& Log() { return log_; }
    const LOG& Log() const { return log_; }
    StepLists& Steps() { return steps_; }
    const StepLists& Steps() const { return steps_; }
    TapeOptions& Options() { return options_; }
    const TapeOptions& Options() const { return options_; }
    const std::string& SettingNote(int slot) const;

  private:
    bool Entering() const;
    std::string MarkFor(int lineCode) const;
    // False when no operator line is left to rewrite (the tape was cleared since).
    bool ReplaceOperatorInPlace(int keyCode, int kind);
    void FinishCalculation();

    const CoreView* core_ = nullptr;
    LOG log_;
    StepLists steps_;
    TapeOptions options_;
    std::array<std::string, kSettingSlots> settingNotes_{};
    bool valueMatch_ = false;
    bool kindMatch_ = false;
    int lastLineCode_ = 0;
    bool carriedPendingOperator_ = false;
    Refreshed refreshed_;
    Cleared cleared_;
    std::function<std::tm()> clock_;
};

}  // namespace pemu::tape
