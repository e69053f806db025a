#pragma once
// Correcting a line of the check tape: which lines may be edited, the input box an edit
// opens with, and applying a change, an insertion or a deletion, followed by the
// recalculation of the calculation that holds the line. Messages come back as values; the
// window shows them in a message box.
#include <string>
#include <vector>

#include "tape/number_field.hpp"
#include "tape/recalculation.hpp"
#include "tape/step_engine.hpp"
#include "tape/tape_recorder.hpp"
#include "tape/tape_view.hpp"

namespace pemu::tape {

// The items of the symbol list in order (CP932): "＋" "－" "×" "÷" "＝" "％".
const std::vector<std::string>& SymbolItems();
// The open calculation offers only the first four.
inline constexpr std::size_t kOpenCalculationSymbols = 4;

// What the input box shows while an edit is open.
struct EditForm {
    std::vector<std::string> symbols;
    std::size_t selected = 0;  // index into symbols
    NumberField field;
};

// Outcomes of applying an edit besides the results of Recalculate (0 to 5).
inline constexpr int kEditNothing = -1;    // no edit open, or no line at the cursor
inline constexpr int kEditBadNumber = -2;  // the number field holds no number

struct EditOutcome {
    int result = kEditNothing;
    std::string message;  // the message box text (CP932); empty when there is none
};

class TapeCorrection {
  public:
    TapeCorrection(TapeRecorder& tape, TapeView& view, StepEngine& engine);

    // The cursor line may be changed, inserted before or deleted: not for an empty row,
    // notes and date lines, or the carried-over line " ～　".
    bool EditableLine() const;
    // The cursor line belongs to the calculation still open on the calculator.
    bool InLiveCalculation() const;
    // The calculation block of the cursor line (for the popup viewer too).
    CalculationBlock CursorBlock() const;

    // Opens the input box for a change (kEditChange: the line's value and symbol) or an
    // insertion (kEditInsert: empty, "＋"); false when the line may not be edited.
    bool PrepareEdit(int mode);
    EditForm& Form() { return form_; }
    const EditForm& Form() const { return form_; }

    // Applies the open edit. A refused number changes nothing; results 1 to 3 leave the
    // edited line in the tape, not recomputed, with the input box open on it; results 4 and
    // 5 restore the tape as it was; results 0, 4 and 5 close the edit.
    EditOutcome UpdateRunClick();
    // Deletes the cursor line at once and recomputes its calculation.
    EditOutcome DeleteLine();

  private:
    std::string CursorLine() const;

    TapeRecorder& tape_;
    TapeView& view_;
    StepEngine& engine_;
    EditForm form_;
};

}  // namespace pemu::tape
