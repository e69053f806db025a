// The check tape window's keys and mouse, the command panel and the input box of a
// correction, and the popup viewer.
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QMessageBox>
#include <QPushButton>

#include "platform/codec.hpp"
#include "tape/tape_window_layout.hpp"
#include "ui/app_context.hpp"
#include "ui/popup_launcher.hpp"
#include "ui/ui_text.hpp"
#include "ui/windows/kenzan_window.hpp"
#include "ui/windows/tape_command_panel.hpp"
#include "ui/windows/tape_grid_widget.hpp"
#include "ui/windows/tape_input_box.hpp"

namespace pemu::ui {
namespace {

// Room the symbol list needs beside its text for its frame and arrow.
constexpr int kListArrow = 26;

tape::ScrollKey ScrollKeyOf(int virtualKey) {
    switch (virtualKey) {
        case vk::kUp:
            return tape::ScrollKey::kUp;
        case vk::kDown:
            return tape::ScrollKey::kDown;
        case vk::kPrior:
            return tape::ScrollKey::kPageUp;
        case vk::kNext:
            return tape::ScrollKey::kPageDown;
        default:
            return tape::ScrollKey::kNone;
    }
}

bool IsArrow(int virtualKey) {
    return virtualKey >= vk::kLeft && virtualKey <= vk::kDown;
}

// The keys the window acts on by itself: they do nothing while a panel is open.
bool IsWindowKey(int virtualKey, KeyModifiers m) {
    const bool functionKey = virtualKey >= vk::kF1 && virtualKey <= vk::kF8;
    return functionKey || virtualKey == vk::kEscape || (m.shift && virtualKey == vk::kDelete) ||
           (m.ctrl && IsArrow(virtualKey));
}

}  // namespace

void TfrmKenzan::ConnectEditing() {
    connect(grid_, &TapeGridWidget::pressed, this, &TfrmKenzan::GridPressed);
    connect(grid_, &TapeGridWidget::keyPressed, this, &TfrmKenzan::GridKey);
    connect(grid_, &TapeGridWidget::wheelTurned, this, &TfrmKenzan::GridWheel);
    connect(grid_, &TapeGridWidget::focused, this, [this] {
        // The grid taking the focus closes the panel and the input box.
        if (!view_.CommandPanelOpen() && !EditOpen()) return;
        view_.ClosePanels();
        DrawView();
    });

    // Leaving the command panel for another control of the window closes it.
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (!now || now->window() != this || !view_.CommandPanelOpen()) return;
        if (now == panel_ || panel_->isAncestorOf(now)) return;
        view_.ClosePanels();
        DrawView();
    });
    connect(panel_->AutoScrollm, &QPushButton::clicked, this, [this] {
        CloseEdit();
        SetAutoScroll(!view_.AutoScroll());
    });
    connect(panel_->PopUpm, &QPushButton::clicked, this, &TfrmKenzan::ShowPopup);
    connect(panel_->Updatem, &QPushButton::clicked, this,
            [this] { PrepareEdit(tape::kEditChange); });
    connect(panel_->Addm, &QPushButton::clicked, this, [this] { PrepareEdit(tape::kEditInsert); });
    connect(panel_->Deletem, &QPushButton::clicked, this, &TfrmKenzan::DeleteLine);
    connect(panel_->ClosePopm, &QPushButton::clicked, this, &TfrmKenzan::CloseEdit);

    tape::NumberField& field = correction_.Form().field;
    const auto onField = [this, &field](auto change) {
        return [this, &field, change] {
            change(field);
            inputBox_->UpdateNum->Sync();
        };
    };
    connect(inputButtons_, &TapeInputButtons::typed, this, [this, &field](char ch) {
        field.Type(ch);
        inputBox_->UpdateNum->Sync();
    });
    connect(inputButtons_, &TapeInputButtons::backSpace, this,
            onField([](tape::NumberField& f) { f.BackSpace(); }));
    connect(inputButtons_, &TapeInputButtons::deleteNext, this,
            onField([](tape::NumberField& f) { f.Delete(); }));
    connect(inputButtons_, &TapeInputButtons::caretLeft, this,
            onField([](tape::NumberField& f) { f.MoveLeft(); }));
    connect(inputButtons_, &TapeInputButtons::caretRight, this,
            onField([](tape::NumberField& f) { f.MoveRight(); }));
    connect(inputButtons_, &TapeInputButtons::signToggled, this,
            onField([](tape::NumberField& f) { f.ToggleSign(); }));
    connect(inputButtons_, &TapeInputButtons::symbolChosen, this, [this](int index) {
        if (index < inputBox_->SymbolCombo->count()) inputBox_->SymbolCombo->setCurrentIndex(index);
    });
    connect(inputButtons_, &TapeInputButtons::applied, this, &TfrmKenzan::UpdateRunClick);
}

bool TfrmKenzan::EditOpen() const {
    return view_.EditMode() != tape::kEditNone;
}

void TfrmKenzan::FocusGrid() {
    grid_->setFocus(Qt::OtherFocusReason);
}

// ---- Keys -------------------------------------------------------------------------------

bool TfrmKenzan::WindowKeyDown(int virtualKey, KeyModifiers modifiers) {
    if (EditOpen() || view_.CommandPanelOpen()) return EditKeyDown(virtualKey, modifiers);
    return PlainKeyDown(virtualKey, modifiers);
}

bool TfrmKenzan::EditKeyDown(int virtualKey, KeyModifiers m) {
    const bool plain = !m.shift && !m.ctrl && !m.alt;
    if (virtualKey == vk::kEscape && plain) {
        CloseEdit();
        return true;
    }
    if (EditOpen()) {
        // Enter applies and Esc cancels whether the input buttons are shown or not.
        if (virtualKey == vk::kReturn && !m.ctrl && !m.alt) {
            UpdateRunClick();
            return true;
        }
        return IsWindowKey(virtualKey, m);
    }
    if (plain && virtualKey == vk::kReturn) {
        // Enter presses the focused button; it never applies an edit that is not open.
        panel_->PressFocused();
        return true;
    }
    if (plain && (virtualKey == vk::kUp || virtualKey == vk::kDown)) {
        panel_->MoveFocus(virtualKey == vk::kDown);
        return true;
    }
    return IsWindowKey(virtualKey, m);
}

bool TfrmKenzan::PlainKeyDown(int virtualKey, KeyModifiers m) {
    if (m.shift && !m.ctrl && !m.alt) {
        if (virtualKey == vk::kDelete) {
            ClearTape();
            return true;
        }
        const tape::ScrollKey key = ScrollKeyOf(virtualKey);
        if (key != tape::ScrollKey::kNone) {
            view_.ScrollTape(key, tape::kShiftFlag, false, 0);
            DrawView();
            return true;
        }
        return false;
    }
    if (m.shift || m.ctrl || m.alt) return false;
    QWidget* focus = focusWidget();
    if (virtualKey == vk::kReturn) {
        if (auto* button = qobject_cast<QPushButton*>(focus); button && button->window() == this) {
            button->click();
            return true;
        }
    }
    // Right or Down past the last button, Left or Up before the first: back to the grid.
    const bool pastLast =
        focus == closeRun_ && (virtualKey == vk::kRight || virtualKey == vk::kDown);
    const bool beforeFirst =
        focus == logView_ && (virtualKey == vk::kLeft || virtualKey == vk::kUp);
    if (pastLast || beforeFirst) {
        FocusGrid();
        return true;
    }
    return false;
}

void TfrmKenzan::GridKey(int virtualKey) {
    if (virtualKey == vk::kReturn) {
        OpenCommandPanel();
        return;
    }
    view_.GridKey(ScrollKeyOf(virtualKey), false);
    DrawView();
}

// ---- Mouse ------------------------------------------------------------------------------

void TfrmKenzan::GridPressed(int y, Qt::MouseButton button) {
    if (button == Qt::LeftButton) {
        view_.SelectRow(tape::RowAtY(y, grid_->RowHeight()));
        FocusGrid();
        DrawView();
    } else if (button == Qt::RightButton) {
        // The grid's popup opens the command panel at the cursor.
        FocusGrid();
        OpenCommandPanel();
    }
}

void TfrmKenzan::GridWheel(int delta) {
    if (EditOpen()) return;
    view_.ScrollTape(delta > 0 ? tape::ScrollKey::kUp : tape::ScrollKey::kDown, tape::kShiftFlag,
                     false, 0);
    DrawView();
}

void TfrmKenzan::changeEvent(QEvent* event) {
    SecondaryWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !view_.IsOpen()) return;
    if (isActiveWindow()) {
        if (!EditOpen() && !view_.CommandPanelOpen()) FocusGrid();
    } else if (!messageShown_ && (EditOpen() || view_.CommandPanelOpen())) {
        // Another window became active: the panel and the input box close.
        view_.ClosePanels();
        DrawView();
    }
}

// ---- Command panel and input box ----------------------------------------------------------

void TfrmKenzan::OpenCommandPanel() {
    if (!view_.IsOpen()) return;
    view_.ClosePanels();
    view_.OpenCommandPanel();
    DrawView();
    const int rowBottom = grid_->RowY(view_.CursorRow());
    const int top =
        tape::CommandPanelTop(rowBottom, panel_->height(), statusTop_, client_->height());
    panel_->move((client_->width() - panel_->width()) / 2, top);
    panel_->Prepare(correction_.EditableLine(), correction_.CursorBlock().found,
                    view_.AutoScroll());
}

void TfrmKenzan::PrepareEdit(tape::EditKind mode) {
    if (!correction_.PrepareEdit(mode)) return;
    const tape::EditForm& form = correction_.Form();
    inputBox_->Open(form.symbols, form.selected, &correction_.Form().field);
    inputButtons_->OfferAllSymbols(form.symbols.size() > tape::kOpenCalculationSymbols);
    PlaceInputBox();
    inputBox_->show();
    inputBox_->raise();
    ShowInputButtons(inputPanel_);
    // The focus moves before the panel hides, so it never passes over the grid.
    inputBox_->UpdateNum->setFocus(Qt::OtherFocusReason);
    DrawView();
}

void TfrmKenzan::PlaceInputBox() {
    const int row = view_.CursorRow();
    tape::InputBoxInput in;
    in.textColumnLeft = grid_->ColumnX(1);
    in.textColumnWidth = grid_->ColumnX(2) - grid_->ColumnX(1);
    in.rowTop = grid_->RowY(row - 1);
    in.rowHeight = grid_->RowY(row) - grid_->RowY(row - 1) + 1;
    in.symbolListWidth = grid_->TextWidth(platform::Sjis("＋　 　")) + kListArrow;
    in.spaceWidth = grid_->TextWidth(" ");
    in.buttons = {inputButtons_->width(), inputButtons_->height()};
    in.showButtons = inputPanel_;
    in.statusTop = statusTop_;
    in.clientWidth = client_->width();
    const tape::InputBoxLayout out = tape::LayOutInputBox(in);
    const auto rect = [](const platform::Rect& r) { return QRect(r.x, r.y, r.width, r.height); };
    inputBox_->Place(rect(out.box), rect(out.number), rect(out.symbols));
    if (inputPanel_) inputButtons_->move(out.buttons.x, out.buttons.y);
}

void TfrmKenzan::ShowInputButtons(bool on) {
    if (!EditOpen()) return;
    PlaceInputBox();
    inputButtons_->setVisible(on);
    if (on) inputButtons_->raise();
}

void TfrmKenzan::UpdateRunClick() {
    if (!EditOpen()) return;
    correction_.Form().selected = static_cast<std::size_t>(inputBox_->SymbolCombo->currentIndex());
    const tape::EditOutcome outcome = correction_.UpdateRunClick();
    ShowOutcome(outcome);
}

void TfrmKenzan::DeleteLine() {
    ShowOutcome(correction_.DeleteLine());
}

void TfrmKenzan::ShowOutcome(const tape::EditOutcome& outcome) {
    if (EditOpen()) {
        // Still open on the line (a refused number, or a recomputation refused): an
        // insertion is now a change of the line it put in.
        PlaceInputBox();
        DrawView();
        if (!outcome.message.empty()) Message(outcome.message);
        inputBox_->UpdateNum->setFocus(Qt::OtherFocusReason);
        return;
    }
    FocusGrid();
    DrawView();
    if (!outcome.message.empty()) Message(outcome.message);
}

void TfrmKenzan::CloseEdit() {
    view_.ClosePanels();
    FocusGrid();
    DrawView();
}

void TfrmKenzan::Message(const std::string& cp932Text) {
    messageShown_ = true;
    QMessageBox box(QMessageBox::Warning, "Pemu", FromCp932(cp932Text), QMessageBox::Ok, this);
    box.exec();
    messageShown_ = false;
}

// ---- Clear and popup ----------------------------------------------------------------------

void TfrmKenzan::ClearTape() {
    context().tape().ClearTape();
    FocusGrid();
}

void TfrmKenzan::ShowPopup() {
    const tape::CalculationBlock block = correction_.CursorBlock();
    CloseEdit();
    if (block.found) ShowInPopupViewer(context(), *this, block.text);
}

}  // namespace pemu::ui
