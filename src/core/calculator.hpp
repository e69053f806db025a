#pragma once
// The desk calculator: its registers, the two key-logic families and every key, reached
// through ExecuteKey(code). It draws through a DisplayPort, hands window matters to a
// ShellPort and records each step on the check tape. Failures are error codes shown on the
// display, never exceptions.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "arithmetic/context.hpp"
#include "core/display_port.hpp"
#include "core/key_codes.hpp"
#include "core/memory_store_port.hpp"
#include "core/shell_port.hpp"
#include "core/startup_settings.hpp"
#include "tape/step_engine.hpp"
#include "tape/tape_recorder.hpp"

namespace pemu::core {

// A register holds at most 19 characters (a 20-byte buffer); a work result at most 59.
inline constexpr std::size_t kRegisterSize = 20;
inline constexpr std::size_t kWorkSize = 60;
inline constexpr int kMarkCount = 100;

// Which marks are on, by mark.
class MarkFlags {
  public:
    bool& operator[](Mark mark) { return on_[Index(mark)]; }
    bool operator[](Mark mark) const { return on_[Index(mark)]; }

  private:
    static std::size_t Index(Mark mark) { return static_cast<std::size_t>(mark); }
    std::array<bool, kMarkCount> on_{};
};

struct OperatorStep;

struct CalculatorState {
    std::string displayValue = "0";
    std::string answerValue = "0";
    std::string taxBaseValue = "0";
    int taxBaseKey = 0;
    int pendingOperator = 0;
    int constantOperator = 0;
    std::string constantValue = "0";
    int entering = 0;
    int lastFunction = 0;
    int repeatCount = 0;
    KeyFamily makerType = fresh::kDentakuType;
    RoundSelector roundSelector = RoundSelectorOf(fresh::kRoundSelecter);
    DecimalSelector decimalSelector = DecimalSelectorOf(fresh::kDecimalSelecter);
    int panelDigit = fresh::kPanelDigit;
    ErrorCode errorCode = kNoError;
    std::string percentBase;
    MarkFlags markOn;
    std::string answerCheckValue = "CLEAR";
    std::string grandTotalValue = "0";
    std::string memoryValue = "0";
    bool memoryMark = false;
    bool answerCheckOn = fresh::kAnswerCK;
    bool grandTotalOn = fresh::kGrandTotal;
    std::string taxRate = fresh::kZeiritu;
    bool initialised = false;
};

// The form of the step a key computes: the % key's is the percent form.
constexpr tape::StepForm FormOf(int key) {
    return key == kKeyPercent ? tape::StepForm::kPercent : tape::StepForm::kPlain;
}

class Calculator : public tape::StepEngine {
  public:
    // The tape is attached to this engine for as long as the engine lives.
    Calculator(DisplayPort& display, ShellPort& shell, tape::TapeRecorder& tape,
               KeyFamily family = fresh::kDentakuType);
    ~Calculator() override;
    Calculator(const Calculator&) = delete;
    Calculator& operator=(const Calculator&) = delete;

    // ---- Lifecycle --------------------------------------------------------------------
    // First show: the mark strip erased and "0" drawn.
    void FirstShow();
    // First activation: the stored settings in their fixed order (the family's coercion
    // rules apply), the memory restored from the store when given; then `initialised`.
    void ApplyStartupSettings(const StartupSettings& settings, const MemoryStorePort* memory);
    // The legacy "PerType" 2: start in the "CASIO" family (the window shows the message).
    void StartAsCasio();

    // ---- Keys -------------------------------------------------------------------------
    // The single entry for every key code; unknown codes press nothing and do nothing.
    void ExecuteKey(int code);
    // The focus the operations since the last call asked for (the strongest of them);
    // the window gives it once, after the key or command has run.
    Focus TakeFocus();
    // The copy command: the copy mark on and displayValue to the clipboard.
    void CopyDisplay();
    // A number pasted from the clipboard (UTF-8), keyed as PasteKeys says; it takes the
    // place of a number being keyed. False, with nothing changed, when the text is no
    // number the display can show or an error state refuses keys.
    bool PasteNumber(std::string_view utf8);

    // ---- Setters (switch panel, menus, settings load) ---------------------------------
    void SetRoundSelector(int value);
    void SetDecimalSelector(int value);
    void SetPanelDigit(int digits);
    void SetMakerType(KeyFamily family);
    // Switch panel: answer check and grand total accumulation on or off (reset events).
    void SwitchAnswerCheck(bool on);
    void SwitchGrandTotal(bool on);
    void SetTaxRate(std::string_view rate);

    // ---- Result treatment -------------------------------------------------------------
    // Only a text with a point: cut to sign, point and panelDigit digits, trailing
    // fraction zeros then dropped.
    void TruncateToDigits(std::string& value) const;
    // The zeros (or point and zeros) that fill value to the decimal places, never wider
    // than the display.
    std::string DecimalPadding(std::string_view value) const;
    // An error is set, the divide flag is set, or value lies beyond +-(panelDigit nines).
    bool IsOverflow(std::string_view value) const;

    // ---- Display state ----------------------------------------------------------------
    void DrawNumber(std::string_view text);
    void SetMark(Mark mark, bool on);
    void ClearFunctionMarks();
    void ClearOperatorMarks();
    // The strip drawn again from markOn (after a skin change).
    void RedrawMarks();

    // ---- Memory persistence (settings store) ------------------------------------------
    void RestoreMemory(const MemoryStorePort& store);
    void SaveMemory(MemoryStorePort& store) const;

    // ---- Read access ------------------------------------------------------------------
    const CalculatorState& State() const { return state_; }
    arith::ArithContext& Arith() { return arith_; }

    // tape::CoreView
    bool Entering() const override { return state_.entering != 0; }
    bool RepeatCountIsOne() const override { return state_.repeatCount == 1; }
    int ConstantOperator() const override { return state_.constantOperator; }
    std::string ConstantValue() const override { return state_.constantValue; }
    int PendingOperator() const override { return state_.pendingOperator; }
    int LastFunction() const override { return state_.lastFunction; }
    bool GrandTotalOn() const override { return state_.grandTotalOn; }
    KeyFamily MakerType() const override { return state_.makerType; }

    // tape::StepEngine: the check tape's recalculation works through these.
    std::string ComputeStep(std::string_view left, bool cut, tape::StepForm form,
                            std::string_view right, int op) override;
    std::string RoundResult(std::string_view src, std::size_t maxLen,
                            tape::Selectors selectors) override;
    bool ExceedsDisplay(std::string_view value) const override;
    std::string OverflowView(std::string_view value) override;
    bool TakeDivideError() override;
    void ResumeFromTape(std::string_view inputText, int op, std::string_view result) override;
    int PanelDigit() const override { return state_.panelDigit; }
    tape::Selectors CurrentSelectors() const override {
        return {.round = state_.roundSelector, .decimal = state_.decimalSelector};
    }

  private:
    // While an error is shown every operation but the clear keys only hands the focus back;
    // true when this key is refused so.
    bool RefusedByError();
    void WantFocus(Focus focus);

    // ---- Entry (number_entry.cpp) -----------------------------------------------------
    void EnterDigit(char ch);
    void BackSpaceKey();
    void ClearKey(int kind);
    void WriteClearLine(int kind);

    // ---- Operators and constant (operator_key.cpp) ------------------------------------
    void OperatorKey(int key);
    OperatorStep NoPendingOperator(int key);
    OperatorStep PendingWithNumber(int key);
    OperatorStep PendingWithoutNumber(int key);
    OperatorStep Ignored();
    void FinishOperatorStep(int key, std::string result);
    void UpdateConstant(int key, std::string_view operandText);

    // ---- Keys of the percent, root, sign, memory, grand total and tax group -----------
    // Each refuses (focus only) while an error is shown.
    void PercentKey();
    std::string ComputePercent(std::string_view left, std::string_view right, int op);
    void ApplyPercentAddOn(std::string_view value, int key);
    void RootKey();
    void SignChangeKey();
    void MemoryKey(int code);
    void GrandTotalKey();
    void AddToGrandTotal(int key, std::string_view value);
    void AnswerCheck(int key, std::string_view value);
    void TaxKey(int code);

    // ---- Result treatment and labels ---------------------------------------------------
    // Every shown result: an operator key only cuts it, = % M+ M- round and pad it.
    std::string FinishResult(std::string_view src, std::size_t maxLen, int key);
    // Add mode: places the point two digits from the right of a keyed integer.
    void ApplyAddMode(std::string& value, int key) const;
    // Add mode is on and the shown number was keyed, so its point is still to be placed.
    bool AddModeTakesKeyedNumber() const;
    static void PlaceAddModePoint(std::string& value);
    // Enters the error state code; returns the text now shown.
    std::string RaiseError(std::string_view value, ErrorCode code);
    // labAns / labIpt: value with thousands separators ("0" when empty).
    void ShowLabel(DisplayLabel label, std::string_view value);

    // ---- Small shared steps -----------------------------------------------------------
    bool IsCasio() const { return state_.makerType == kMakerCasio; }
    bool RoundingOff() const {
        return state_.roundSelector == kRoundF || state_.decimalSelector == kDecimalF;
    }
    // A copy into a register: at most kRegisterSize - 1 characters.
    static std::string Register(std::string_view text);
    void NoteSelectorsIfInitialised();

    CalculatorState state_;
    arith::ArithContext arith_;
    DisplayPort& display_;
    ShellPort& shell_;
    tape::TapeRecorder& tape_;
    Focus focus_ = Focus::kUnchanged;
};

}  // namespace pemu::core
