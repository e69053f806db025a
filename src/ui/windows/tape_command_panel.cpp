#include "ui/windows/tape_command_panel.hpp"

#include <QPushButton>
#include <QVBoxLayout>

#include "tape/tape_window_options.hpp"
#include "ui/ui_text.hpp"
#include "ui/windows/drag_mover.hpp"

namespace pemu::ui {
namespace {

constexpr int kButtonWidth = 168;
constexpr int kButtonHeight = 26;

QPushButton* MakeButton(QWidget* parent, QVBoxLayout* layout, const char* name,
                        const QString& caption) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setFixedSize(kButtonWidth, kButtonHeight);
    button->setFocusPolicy(Qt::StrongFocus);
    button->setAutoDefault(false);
    layout->addWidget(button);
    return button;
}

}  // namespace

TapeCommandPanel::TapeCommandPanel(QWidget* parent) : QFrame(parent) {
    setObjectName("PopCom");
    auto* layout = new QVBoxLayout(this);
    AutoScrollm = MakeButton(this, layout, "AutoScrollm", FromCp932(tape::AutoScrollCaption(true)));
    PopUpm = MakeButton(this, layout, "PopUpm", Caption("ポップアップ"));
    Updatem = MakeButton(this, layout, "Updatem", Caption("変更"));
    Addm = MakeButton(this, layout, "Addm", Caption("追加"));
    Deletem = MakeButton(this, layout, "Deletem", Caption("削除"));
    ClosePopm = MakeButton(this, layout, "ClosePopm", Caption("メニューを閉じる"));
    FinishFloatingPanel(*this, *layout);
}

std::array<QPushButton*, 6> TapeCommandPanel::Buttons() const {
    return {AutoScrollm, PopUpm, Updatem, Addm, Deletem, ClosePopm};
}

void TapeCommandPanel::Prepare(bool editable, bool inCalculation, bool autoScrollOn) {
    AutoScrollm->setText(FromCp932(tape::AutoScrollCaption(autoScrollOn)));
    for (QPushButton* edit : {Updatem, Addm, Deletem})
        edit->setEnabled(editable);
    PopUpm->setEnabled(inCalculation);
    show();
    raise();
    ClosePopm->setFocus(Qt::OtherFocusReason);
}

void TapeCommandPanel::MoveFocus(bool forward) {
    const auto buttons = Buttons();
    const int count = static_cast<int>(buttons.size());
    int at = count - 1;  // from ClosePopm when none of them has the focus
    for (int i = 0; i < count; ++i) {
        if (buttons[static_cast<std::size_t>(i)] == window()->focusWidget()) at = i;
    }
    for (int step = 1; step <= count; ++step) {
        const int next = (at + (forward ? step : -step) + count * 2) % count;
        QPushButton* button = buttons[static_cast<std::size_t>(next)];
        if (button->isEnabled()) {
            button->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return;
        }
    }
}

void TapeCommandPanel::PressFocused() {
    for (QPushButton* button : Buttons()) {
        if (button == window()->focusWidget() && button->isEnabled()) {
            button->click();
            return;
        }
    }
}

bool TapeCommandPanel::focusNextPrevChild(bool next) {
    MoveFocus(next);
    return true;
}

}  // namespace pemu::ui
