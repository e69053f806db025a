#pragma once
// The input box of a tape correction (InputBoxs: the number field UpdateNum and the symbol
// list SymbolCombo) and its buttons (InputButtons). The number field shows a
// tape::NumberField and hands every key to it, so the field's rules decide what may be
// typed; the buttons only say which was pressed.
#include <QFrame>
#include <QLineEdit>
#include <vector>

#include "tape/number_field.hpp"

class QComboBox;
class QPushButton;

namespace pemu::ui {

class NumberFieldEdit : public QLineEdit {
    Q_OBJECT
  public:
    explicit NumberFieldEdit(QWidget* parent);
    // The field shown and edited from now on.
    void Attach(tape::NumberField* field);
    // Shows the field's text, selection and caret.
    void Sync();

  protected:
    // Characters go through the field's rules; Delete, Left, Right, Home, End and Ctrl+A
    // move in it; everything else (backspace, paste, undo) is refused.
    void keyPressEvent(QKeyEvent* event) override;

  private:
    // A mouse selection or caret move in the widget, taken into the field.
    void TakeSelection();

    tape::NumberField* field_ = nullptr;
    bool syncing_ = false;
};

class TapeInputBox : public QFrame {
    Q_OBJECT
  public:
    explicit TapeInputBox(QWidget* parent);

    // Fills the symbol list with `symbols` (CP932), selects `selected` and shows `field`.
    void Open(const std::vector<std::string>& symbols, std::size_t selected,
              tape::NumberField* field);
    void SetFontSize(const QFont& gridFont);
    // The box at `box`, its parts at the given places (all in the parent's coordinates).
    void Place(const QRect& box, const QRect& number, const QRect& symbols);

    NumberFieldEdit* UpdateNum = nullptr;
    QComboBox* SymbolCombo = nullptr;

  protected:
    // Tab and Shift+Tab go between the number field and the symbol list only.
    bool focusNextPrevChild(bool next) override;
};

class TapeInputButtons : public QFrame {
    Q_OBJECT
  public:
    explicit TapeInputButtons(QWidget* parent);
    // = and % are offered only outside the open calculation.
    void OfferAllSymbols(bool all);

  signals:
    void typed(char ch);  // digits and the point
    void backSpace();
    void deleteNext();
    void caretLeft();
    void caretRight();
    void signToggled();
    void symbolChosen(int index);  // 0..5: + - × ÷ = %
    void applied();

  private:
    QPushButton* BtnEqual = nullptr;
    QPushButton* BtnPer = nullptr;
};

}  // namespace pemu::ui
