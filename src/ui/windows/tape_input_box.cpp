#include "ui/windows/tape_input_box.hpp"

#include <QComboBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QPushButton>

#include "platform/qt/virtual_key.hpp"
#include "platform/virtual_keys.hpp"
#include "ui/ui_text.hpp"
#include "ui/windows/drag_mover.hpp"

namespace pemu::ui {
namespace {

namespace vk = platform::vk;

constexpr int kKeyWidth = 34;
constexpr int kKeyHeight = 28;

}  // namespace

NumberFieldEdit::NumberFieldEdit(QWidget* parent) : QLineEdit(parent) {
    setObjectName("UpdateNum");
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setContextMenuPolicy(Qt::NoContextMenu);
    // Yellow with black text while it has the focus.
    setStyleSheet("QLineEdit:focus { background: #ffff00; color: #000000; }");
    connect(this, &QLineEdit::cursorPositionChanged, this, [this] { TakeSelection(); });
    connect(this, &QLineEdit::selectionChanged, this, [this] { TakeSelection(); });
}

void NumberFieldEdit::Attach(tape::NumberField* field) {
    field_ = field;
    Sync();
}

void NumberFieldEdit::Sync() {
    if (!field_) return;
    syncing_ = true;
    setText(
        QString::fromLatin1(field_->Text().data(), static_cast<qsizetype>(field_->Text().size())));
    if (field_->SelectionLength() > 0) {
        setSelection(static_cast<int>(field_->SelectionStart()),
                     static_cast<int>(field_->SelectionLength()));
    } else {
        setCursorPosition(static_cast<int>(field_->Caret()));
    }
    syncing_ = false;
}

void NumberFieldEdit::TakeSelection() {
    if (syncing_ || !field_) return;
    if (hasSelectedText()) {
        field_->Select(static_cast<std::size_t>(selectionStart()),
                       static_cast<std::size_t>(selectedText().size()));
    } else {
        field_->Select(static_cast<std::size_t>(cursorPosition()), 0);
    }
}

void NumberFieldEdit::keyPressEvent(QKeyEvent* event) {
    event->accept();
    if (!field_) return;
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const bool alt = event->modifiers() & Qt::AltModifier;
    const int key = platform::VirtualKeyOf(*event);
    const std::size_t size = field_->Text().size();
    if (ctrl && key == vk::kA) {
        field_->Select(0, size);
    } else if (ctrl || alt) {
        return;
    } else if (key == vk::kLeft) {
        field_->MoveLeft();
    } else if (key == vk::kRight) {
        field_->MoveRight();
    } else if (key == vk::kHome) {
        field_->Select(0, 0);
    } else if (key == vk::kEnd) {
        field_->Select(size, 0);
    } else if (key == vk::kDelete) {
        field_->Delete();
    } else {
        for (const QChar ch : event->text()) {
            if (ch.unicode() < 0x80) field_->Type(static_cast<char>(ch.unicode()));
        }
    }
    Sync();
}

TapeInputBox::TapeInputBox(QWidget* parent) : QFrame(parent) {
    setObjectName("InputBoxs");
    // Covers the row's text, the gap before the symbol list included.
    setAutoFillBackground(true);
    UpdateNum = new NumberFieldEdit(this);
    SymbolCombo = new QComboBox(this);
    SymbolCombo->setObjectName("SymbolCombo");
    SymbolCombo->setFocusPolicy(Qt::StrongFocus);
    hide();
}

void TapeInputBox::Open(const std::vector<std::string>& symbols, std::size_t selected,
                        tape::NumberField* field) {
    SymbolCombo->clear();
    for (const std::string& symbol : symbols)
        SymbolCombo->addItem(FromCp932(symbol));
    SymbolCombo->setCurrentIndex(static_cast<int>(selected));
    UpdateNum->Attach(field);
}

void TapeInputBox::SetFontSize(const QFont& gridFont) {
    QFont bold = gridFont;
    bold.setBold(true);
    UpdateNum->setFont(bold);
    SymbolCombo->setFont(gridFont);
}

void TapeInputBox::Place(const QRect& box, const QRect& number, const QRect& symbols) {
    setGeometry(box);
    UpdateNum->setGeometry(number.translated(-box.topLeft()));
    SymbolCombo->setGeometry(symbols.translated(-box.topLeft()));
}

bool TapeInputBox::focusNextPrevChild(bool) {
    if (window()->focusWidget() == UpdateNum)
        SymbolCombo->setFocus(Qt::TabFocusReason);
    else
        UpdateNum->setFocus(Qt::TabFocusReason);
    return true;
}

TapeInputButtons::TapeInputButtons(QWidget* parent) : QFrame(parent) {
    setObjectName("InputButtons");
    auto* grid = new QGridLayout(this);
    const auto add = [this, grid](const char* name, std::string_view caption, int row, int column,
                                  int span = 1) {
        auto* button = new QPushButton(Caption(caption), this);
        button->setObjectName(name);
        // The number field keeps the focus while the buttons are pressed.
        button->setFocusPolicy(Qt::NoFocus);
        button->setFixedSize(kKeyWidth * span + 2 * (span - 1), kKeyHeight);
        grid->addWidget(button, row, column, 1, span);
        return button;
    };
    // A small keypad: digits left, editing keys in the middle, the symbols right.
    const char* digitNames[] = {"Btn0", "Btn1", "Btn2", "Btn3", "Btn4",
                                "Btn5", "Btn6", "Btn7", "Btn8", "Btn9"};
    const int digitRow[] = {3, 2, 2, 2, 1, 1, 1, 0, 0, 0};
    const int digitColumn[] = {0, 0, 1, 2, 0, 1, 2, 0, 1, 2};
    for (int d = 0; d <= 9; ++d) {
        const char digit = static_cast<char>('0' + d);
        QPushButton* button =
            add(digitNames[d], std::string(1, digit), digitRow[d], digitColumn[d]);
        connect(button, &QPushButton::clicked, this, [this, digit] { emit typed(digit); });
    }
    connect(add("BtnComma", ".", 3, 1), &QPushButton::clicked, this, [this] { emit typed('.'); });
    connect(add("BtnPm", "+/-", 3, 2), &QPushButton::clicked, this, &TapeInputButtons::signToggled);
    connect(add("BtnBs", "BS", 0, 3), &QPushButton::clicked, this, &TapeInputButtons::backSpace);
    connect(add("BtnDel", "DEL", 1, 3), &QPushButton::clicked, this, &TapeInputButtons::deleteNext);
    connect(add("btnLeft", "←", 2, 3), &QPushButton::clicked, this, &TapeInputButtons::caretLeft);
    connect(add("btnRight", "→", 3, 3), &QPushButton::clicked, this, &TapeInputButtons::caretRight);
    const struct {
        const char* name;
        const char* caption;
        int row;
        int column;
    } symbols[] = {{"BtnPlus", "+", 0, 4}, {"BtnMinus", "－", 0, 5}, {"Button3", "×", 1, 4},
                   {"Button4", "÷", 1, 5}, {"BtnEqual", "＝", 2, 4}, {"BtnPer", "％", 2, 5}};
    for (int i = 0; i < 6; ++i) {
        QPushButton* button =
            add(symbols[i].name, symbols[i].caption, symbols[i].row, symbols[i].column);
        connect(button, &QPushButton::clicked, this, [this, i] { emit symbolChosen(i); });
        if (i == 4) BtnEqual = button;
        if (i == 5) BtnPer = button;
    }
    connect(add("BtnEnt", "更新", 3, 4, 2), &QPushButton::clicked, this,
            &TapeInputButtons::applied);
    FinishFloatingPanel(*this, *grid);
}

void TapeInputButtons::OfferAllSymbols(bool all) {
    BtnEqual->setEnabled(all);
    BtnPer->setEnabled(all);
}

}  // namespace pemu::ui
