#include "ui/windows/key_set_window.hpp"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "core/key_codes.hpp"
#include "display/skin_layout.hpp"
#include "display/system_colours.hpp"
#include "shell/key_assignment.hpp"
#include "ui/app_context.hpp"
#include "ui/ui_text.hpp"
#include "ui/windows/image_view.hpp"

namespace pemu::ui {
namespace {

using display::ColourOf;
using display::SystemColour;

// The keys sit as on the calculator's face; the four command keys below them.
constexpr int kCellWidth = 76;
constexpr int kCaptionHeight = 20;
constexpr int kTextHeight = 18;
constexpr int kRowPitch = 44;
constexpr int kLeft = 10;
constexpr int kTop = 34;
constexpr int kKeypadWidth = 5 * kCellWidth;
constexpr int kHelpWidth = 150;
constexpr int kClientWidth = kLeft + kKeypadWidth + 12 + kHelpWidth + kLeft;
constexpr int kFaceRows[] = {128, 160, 192, 232, 272, 312, 352};
constexpr int kButtonHeight = 28;

struct Cell {
    int x;
    int y;
    int width;
};

// Where a key's caption and name go: the face's row and column, or a double-width cell in
// the two rows under the keypad for the command keys.
Cell CellOf(int code) {
    switch (code) {
        case core::kFormulaWindowKey:
            return {kLeft, kTop + 7 * kRowPitch, 2 * kCellWidth};
        case core::kEnlargedDisplayKey:
            return {kLeft + 2 * kCellWidth, kTop + 7 * kRowPitch, 2 * kCellWidth};
        case core::kMiniSizeKey:
            return {kLeft, kTop + 8 * kRowPitch, 2 * kCellWidth};
        case core::kButtonDisplayKey:
            return {kLeft + 2 * kCellWidth, kTop + 8 * kRowPitch, 2 * kCellWidth};
        default:
            break;
    }
    const auto face = display::KeyFacePositionOf(code);
    if (!face) return {0, 0, 0};
    int row = 0;
    while (row < 6 && kFaceRows[row] != face->y)
        ++row;
    return {kLeft + (face->x - 18) / 48 * kCellWidth, kTop + row * kRowPitch, kCellWidth};
}

QColor QColourOf(const shell::Rgb& rgb) {
    return QColor(rgb.r, rgb.g, rgb.b);
}

void Paint(QLabel* label, QColor background, QColor text) {
    QPalette p = label->palette();
    p.setColor(QPalette::Window, background);
    p.setColor(QPalette::WindowText, text);
    label->setPalette(p);
}

// A CP932 message with CR LF line breaks as a message box shows it.
QString BoxText(const std::string& cp932) {
    return FromCp932(cp932).replace("\r\n", "\n");
}

QLabel* MakeLabel(QWidget* parent, const QString& name, int x, int y, int width, int height) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setGeometry(x + 1, y, width - 2, height);
    label->setAutoFillBackground(true);
    label->setAlignment(Qt::AlignCenter);
    label->setFrameShape(QFrame::Box);
    return label;
}

}  // namespace

TfrmKeySet::TfrmKeySet(AppContext& context)
    : SecondaryWindow(context, shell::WindowCode::kKeyAssignment, "キー設定") {
    setObjectName("frmKeySet");
    BuildKeys();
    BuildSide();
    const int set = shell::OpenKeySet(context.session().keyTable(), context.store());
    setButtons_.at(set)->setChecked(true);
    Refresh();
    ShowMessage(shell::KeyDialogIntroText());
    Select(core::kKeyGrandTotal);
}

TfrmKeySet::~TfrmKeySet() = default;

void TfrmKeySet::BuildKeys() {
    auto* bar = new QMenuBar(this);
    QMenu* file = bar->addMenu(Caption("ファイル(&F)"));
    file->addAction(Caption("閉じる (&X)"), this, &QWidget::close);
    bar->setGeometry(0, 0, kClientWidth, bar->sizeHint().height());

    std::vector<int> codes(shell::kKeyDialogOrder.begin(), shell::kKeyDialogOrder.end());
    codes.push_back(core::kKeyEquals);  // shown with Enter, never assigned
    for (const int code : codes) {
        const Cell cell = CellOf(code);
        const QString ident =
            QString::fromLatin1(code == core::kKeyEquals ? "Equal" : shell::KeyIdent(code));
        captions_[code] =
            MakeLabel(this, "lab" + ident, cell.x, cell.y, cell.width, kCaptionHeight);
        texts_[code] = MakeLabel(this, "txt" + ident, cell.x, cell.y + kCaptionHeight, cell.width,
                                 kTextHeight);
        Paint(texts_[code], ColourOf(SystemColour::kWindow), ColourOf(SystemColour::kWindowText));
        for (QLabel* label : {captions_[code], texts_[code]})
            label->installEventFilter(this);
    }
    texts_[core::kKeyEquals]->setText("[Enter]");

    focusField_ = new QLineEdit(this);
    focusField_->setObjectName("FocusField");
    focusField_->setReadOnly(true);
    focusField_->setGeometry(-20, -20, 1, 1);
    inputBox_ = new QLineEdit(this);
    inputBox_->setObjectName("InputBox");
    inputBox_->setReadOnly(true);
    inputBox_->setAlignment(Qt::AlignCenter);
    inputBox_->setStyleSheet("QLineEdit { background: rgb(255, 255, 0); color: black; }");
    inputBox_->hide();
}

void TfrmKeySet::BuildSide() {
    const int keypadBottom = kTop + 9 * kRowPitch;
    const int width = kClientWidth - 2 * kLeft;
    helpView_ =
        new ImageView(this, kHelpWidth, keypadBottom - kTop, ColourOf(SystemColour::kButtonFace));
    helpView_->move(kLeft + kKeypadWidth + 12, kTop);
    {
        QPainter p(&helpView_->image());
        const QFont font = display::FontFor("MS Gothic", 10);
        p.setFont(font);
        p.setPen(ColourOf(SystemColour::kWindowText));
        const int line = QFontMetrics(font).height() + 1;
        int y = QFontMetrics(font).ascent();
        for (const std::string& text : shell::KeyDialogHelpLines()) {
            p.drawText(2, y, FromCp932(text));
            y += line;
        }
    }
    helpView_->Present();

    messageView_ = new ImageView(this, width, 52, ColourOf(SystemColour::kWindow));
    messageView_->move(kLeft, keypadBottom + 6);
    messageImage_ = std::make_unique<display::TMsgImg>(messageView_->image(),
                                                       [this] { messageView_->Present(); });

    const int buttonsTop = keypadBottom + 6 + 52 + 8;
    const char* const captions[] = {"セット1 (&A)", "セット2 (&B)", "セット3 (&C)",
                                    "初期値を読込(&L)", "閉じる(&X)"};
    const int buttonWidth = (width - 4 * 4) / 5;
    QPushButton* made[5] = {};
    for (int i = 0; i < 5; ++i) {
        made[i] = new QPushButton(Caption(captions[i]), this);
        made[i]->setGeometry(kLeft + i * (buttonWidth + 4), buttonsTop, buttonWidth, kButtonHeight);
        made[i]->setAutoDefault(true);
    }
    for (int set = 1; set <= 3; ++set) {
        QPushButton* button = made[set - 1];
        button->setObjectName(QString("SetButton%1").arg(set));
        button->setCheckable(true);
        setButtons_[set] = button;
        connect(button, &QPushButton::clicked, this, [this, set] { ChooseSet(set); });
    }
    defaults_ = made[3];
    defaults_->setObjectName("LoadDefaults");
    close_ = made[4];
    close_->setObjectName("CloseButton");
    connect(defaults_, &QPushButton::clicked, this, &TfrmKeySet::LoadDefaults);
    connect(close_, &QPushButton::clicked, this, &QWidget::close);
    setFixedSize(kClientWidth, buttonsTop + kButtonHeight + kLeft);
}

QLabel* TfrmKeySet::KeyText(int code) const {
    const auto it = texts_.find(code);
    return it == texts_.end() ? nullptr : it->second;
}

QLabel* TfrmKeySet::KeyCaption(int code) const {
    const auto it = captions_.find(code);
    return it == captions_.end() ? nullptr : it->second;
}

int TfrmKeySet::CodeOfLabel(const QObject* object) const {
    for (const auto* labels : {&captions_, &texts_}) {
        for (const auto& [code, label] : *labels) {
            if (label == object) return code == core::kKeyEquals ? 0 : code;
        }
    }
    return 0;
}

void TfrmKeySet::Refresh() {
    const shell::KeyTable& table = context().session().keyTable();
    const core::KeyFamily family = context().calculator().State().makerType;
    for (const auto& [code, caption] : captions_) {
        const shell::KeyCaption look = shell::KeyCaptionOf(code, family);
        caption->setText(FromCp932(look.text));
        if (look.coloured) {
            const QColor background = QColourOf(look.colour);
            Paint(caption, background, background.lightness() < 140 ? Qt::white : Qt::black);
        } else {
            Paint(caption, ColourOf(SystemColour::kButtonFace),
                  ColourOf(SystemColour::kWindowText));
        }
        if (code != core::kKeyEquals)
            texts_[code]->setText(FromCp932(shell::KeyName(table.KeyOf(code))));
    }
    // The face shows the new keys: key navigation is drawn again as it stands.
    context().ShowKeyNavigation(context().navigation().On());
}

void TfrmKeySet::ShowMessage(const std::string& cp932) {
    message_ = cp932;
    messageImage_->ShowText(cp932);
}

void TfrmKeySet::Select(int code) {
    EndInput();
    const QPalette base = palette();
    if (QLabel* old = KeyText(selected_)) {
        Paint(old, ColourOf(SystemColour::kWindow), ColourOf(SystemColour::kWindowText));
    }
    selected_ = code;
    if (QLabel* now = KeyText(selected_)) {
        Paint(now, base.color(QPalette::Highlight), base.color(QPalette::HighlightedText));
    }
    focusField_->setFocus();
}

void TfrmKeySet::StartInput() {
    QLabel* text = KeyText(selected_);
    if (!text) return;
    inputMode_ = true;
    inputBox_->setGeometry(text->geometry());
    inputBox_->setText(text->text());
    inputBox_->show();
    inputBox_->raise();
    inputBox_->setFocus();
    ShowMessage(shell::KeyDialogInputText());
}

void TfrmKeySet::EndInput() {
    if (!inputMode_) return;
    inputMode_ = false;
    inputBox_->hide();
    focusField_->setFocus();
}

void TfrmKeySet::Capture(int virtualKey) {
    shell::KeyTable& table = context().session().keyTable();
    const shell::CaptureDecision d = shell::DecideCapture(table, selected_, virtualKey);
    switch (d.action) {
        case shell::CaptureAction::kIgnore:
            return;
        case shell::CaptureAction::kRefuse:
            QMessageBox::warning(this, "Pemu", BoxText(d.message));
            inputBox_->setFocus();
            return;
        case shell::CaptureAction::kClear:
            Assign(0, 0);
            return;
        case shell::CaptureAction::kAskConflict:
            if (QMessageBox::question(this, "Pemu", BoxText(d.message),
                                      QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
                Assign(virtualKey, d.otherCode);
            } else {
                EndInput();
            }
            return;
        case shell::CaptureAction::kAssign:
            Assign(virtualKey, 0);
            return;
    }
}

void TfrmKeySet::Assign(int virtualKey, int clearOther) {
    const std::string report = shell::ApplyCapture(
        context().session().keyTable(), context().store(), selected_, virtualKey, clearOther);
    EndInput();
    Refresh();
    ShowMessage(report);
}

void TfrmKeySet::ChooseSet(int set) {
    EndInput();
    for (const auto& [number, button] : setButtons_)
        button->setChecked(number == set);
    const std::string report =
        shell::ApplyKeySet(context().session().keyTable(), context().store(), set);
    Refresh();
    ShowMessage(report);
    focusField_->setFocus();
}

void TfrmKeySet::LoadDefaults() {
    EndInput();
    const std::string report =
        shell::ResetKeySet(context().session().keyTable(), context().store());
    Refresh();
    ShowMessage(report);
}

void TfrmKeySet::MoveFocus(bool forward) {
    // Labels, then "初期値を読込", then "閉じる", and round again.
    const QWidget* focus = focusWidget();
    const int at = focus == defaults_ ? 1 : focus == close_ ? 2 : 0;
    if (at == 0 && selected_ == 0) {
        Select(core::kKeyGrandTotal);
        return;
    }
    const int next = (at + (forward ? 1 : 2)) % 3;
    if (next == 0)
        focusField_->setFocus();
    else
        (next == 1 ? defaults_ : close_)->setFocus();
}

bool TfrmKeySet::WindowKeyDown(int virtualKey, KeyModifiers modifiers) {
    if (inputMode_) {
        // Every key is the answer, the window keys and Esc included.
        Capture(virtualKey);
        return true;
    }
    if (modifiers.ctrl || modifiers.alt) return false;
    if (virtualKey == vk::kTab) {
        MoveFocus(!modifiers.shift);
        return true;
    }
    if (modifiers.shift) return false;
    switch (virtualKey) {
        case vk::kLeft:
        case vk::kUp:
            Select(shell::NextKeyLabel(selected_, false));
            return true;
        case vk::kRight:
        case vk::kDown:
            Select(shell::NextKeyLabel(selected_, true));
            return true;
        case vk::kReturn:
            if (auto* button = qobject_cast<QPushButton*>(focusWidget()))
                button->click();
            else if (selected_ != 0)
                StartInput();
            return true;
        default:
            return false;
    }
}

bool TfrmKeySet::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride:
            // In input mode a mnemonic is a key like any other: it is taken, not triggered.
            if (inputMode_ && watched->isWidgetType() &&
                static_cast<QWidget*>(watched)->window() == this) {
                event->accept();
                return true;
            }
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (const int code = CodeOfLabel(watched)) {
                if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton) return true;
                if (code != selected_ || event->type() == QEvent::MouseButtonPress) Select(code);
                if (event->type() == QEvent::MouseButtonDblClick) StartInput();
                return true;
            }
            break;
        default:
            break;
    }
    return SecondaryWindow::eventFilter(watched, event);
}

}  // namespace pemu::ui
