#include "ui/windows/formula_window.hpp"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QFrame>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "display/window_routines.hpp"
#include "formula/formula_display.hpp"
#include "formula/formula_text_file.hpp"
#include "formula/formula_window_layout.hpp"
#include "platform/virtual_keys.hpp"
#include "ui/desktop_open.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {

namespace {

namespace vk = platform::vk;

constexpr int kButtonPanelTop = 25;
constexpr int kEqualsShownPressedMs = 20;

// The areas keep CR LF line breaks as the system's texts do; Qt's text has LF.
QString ToQt(std::string_view cp932) {
    QString text = FromCp932(cp932);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string FromQt(const QString& text) {
    return formula::WithCrLf(ToCp932(text));
}

QRect RectOf(const platform::Rect& r) {
    return {r.x, r.y, r.width, r.height};
}

}  // namespace

TfrmSushiki::TfrmSushiki(AppContext& context)
    : SecondaryWindow(context, shell::WindowCode::kFormula, "数式計算 :F2"),
      settings_(shell::ReadFormulaWindowSettings(context.store())),
      family_(context.calculator().State().makerType),
      runner_([this](const formula::FormulaOutcome& outcome) { ShowOutcome(outcome); }) {
    BuildControls();
    ApplyFont();
    ApplyColours();
    kugiri_->button(settings_.group)->setChecked(true);
    MaxSeisubu->setCurrentIndex(settings_.intDigitsMax - 1);
    MaxSyosubu->setCurrentIndex(settings_.fracDigitsMax - 1);
    ShowFamily(family_);

    // The stored client size, within the screen.
    QSize client(settings_.client.width, settings_.client.height);
    if (const QScreen* screen = this->screen())
        client =
            client.boundedTo(screen->availableSize() - QSize(0, menuBar_->sizeHint().height()));
    resize(client.width(), client.height() + menuBar_->sizeHint().height());
    layout()->activate();
    LayOut();
    laidOut_ = client_->size();
    client_->installEventFilter(this);

    LoadFormulaText();
    familyListener_ =
        context.AddFamilyListener([this](core::KeyFamily family) { ShowFamily(family); });
    Calc->setFocus();
}

TfrmSushiki::~TfrmSushiki() = default;

int TfrmSushiki::WrapWidth() const {
    const int scrollBar = Msg->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, Msg);
    const int margin = static_cast<int>(Msg->document()->documentMargin());
    const int client = Msg->width() - 2 * Msg->frameWidth() - scrollBar - 2 * margin;
    return formula::WrapWidthOf(client, Msg->fontMetrics().horizontalAdvance(QLatin1Char('0')));
}

void TfrmSushiki::LayOut() {
    formula::FormulaWindowMetrics m;
    m.client = {client_->width(), client_->height()};
    m.fontSize = settings_.fontSize;
    m.digitHeight = Msg->fontMetrics().height();
    m.labelHeight = LabMsg->sizeHint().height();
    m.statusHeight = statusImage_.height();
    m.buttonPanel = {ButtonPanel->width(), ButtonPanel->height()};
    m.buttonPanelTop = kButtonPanelTop;
    m.digitPanel = {LabAns->sizeHint().width() + 8, 0, DigitPanel->width(), DigitPanel->height()};
    const formula::FormulaWindowLayout l = formula::LayoutFormulaWindow(m);

    const platform::Size minimum = formula::MinimumClientSize(m);
    client_->setMinimumSize(minimum.width, minimum.height);
    MsgWaku->setGeometry(RectOf(l.messageFrame));
    AnsWaku->setGeometry(RectOf(l.answerFrame));
    CalcWaku->setGeometry(RectOf(l.inputFrame));
    // The areas stand in their frames.
    const auto inFrame = [](const platform::Rect& area, const platform::Rect& frame) {
        return QRect(area.x - frame.x, area.y - frame.y, area.width, area.height);
    };
    Msg->setGeometry(inFrame(l.message, l.messageFrame));
    Ans->setGeometry(inFrame(l.answer, l.answerFrame));
    Calc->setGeometry(inFrame(l.input, l.inputFrame));
    for (auto [label, at] :
         {std::pair{LabMsg, l.messageLabel}, {LabAns, l.answerLabel}, {LabCalc, l.inputLabel}}) {
        label->move(at.x, at.y);
        label->adjustSize();
    }
    ButtonPanel->move(l.buttonPanel.x, l.buttonPanel.y);
    DigitPanel->move(l.digitPanel.x, l.digitPanel.y);
    Status->setGeometry(RectOf(l.status));
    SizeChangeMark->setGeometry(RectOf(l.sizeGrip));
    QImage grip(l.sizeGrip.width, l.sizeGrip.height, QImage::Format_RGB32);
    display::DrawSizeGrip(grip);
    SizeChangeMark->setPixmap(QPixmap::fromImage(grip));
}

void TfrmSushiki::Rewrap() {
    ShowMessage();
    if (settings_.group == 0) ShowAnswer();
}

bool TfrmSushiki::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize && client_->size() != laidOut_) {
        laidOut_ = client_->size();
        LayOut();
        Rewrap();
    }
    return SecondaryWindow::eventFilter(watched, event);
}

void TfrmSushiki::LoadFormulaText() {
    if (!settings_.keepFormula) return;
    const auto memory = formula::ReadFormulaTextFile(
        context().session().paths().PathOf(shell::PathKind::kFormulaTextFile));
    if (!memory) return;
    // Shown as kept; a later resize wraps it again as one paragraph.
    Msg->setPlainText(ToQt(memory->message));
    std::string message = memory->message;
    std::erase_if(message, [](char ch) { return ch == '\r' || ch == '\n'; });
    messageParagraphs_ = {message};
    Calc->setPlainText(ToQt(memory->formula));
    Calc->moveCursor(QTextCursor::End);
    lastAnswer_ = memory->lastAnswer;
    ShowAnswer();
}

void TfrmSushiki::WriteSettings() {
    settings_.intDigitsMax = MaxSeisubu->currentIndex() + 1;
    settings_.fracDigitsMax = MaxSyosubu->currentIndex() + 1;
    settings_.client = {client_->width(), client_->height()};
    std::optional<platform::Point> position;
    if (!isMaximized()) position = platform::Point{x(), y()};
    shell::WriteFormulaWindowSettings(context().store(), settings_, position);

    const formula::FormulaMemory memory{FromQt(Msg->toPlainText()), FromQt(Calc->toPlainText()),
                                        lastAnswer_};
    const platform::IoResult kept = formula::StoreFormulaTextFile(
        context().session().paths().PathOf(shell::PathKind::kFormulaTextFile),
        settings_.keepFormula, memory);
    if (!kept) {
        QMessageBox::warning(
            this, QStringLiteral("Pemu"),
            Caption("数式を保存できませんでした。\n") + QString::fromStdString(kept.what));
    }
}

bool TfrmSushiki::WindowKeyDown(int virtualKey, KeyModifiers modifiers) {
    if (!modifiers.ctrl || modifiers.shift || modifiers.alt) return false;
    switch (virtualKey) {
        case vk::kReturn:
            PressEqualsBriefly();
            return true;
        case vk::kBack:
            EditInput("btCE");
            return true;
        case vk::kEnd:
            EditInput("btC");
            return true;
        default:
            return false;
    }
}

void TfrmSushiki::PressEqualsBriefly() {
    btEq->setDown(true);
    QTimer::singleShot(kEqualsShownPressedMs, btEq, [button = btEq] { button->setDown(false); });
    Calculate();
}

void TfrmSushiki::Calculate() {
    formula::FormulaSettings run;
    run.limits = {MaxSeisubu->currentIndex() + 1, MaxSyosubu->currentIndex() + 1};
    run.group = settings_.group;
    runner_.Start(FromQt(Calc->toPlainText()), run);
}

void TfrmSushiki::ShowOutcome(const formula::FormulaOutcome& outcome) {
    const formula::OutcomeView view = formula::ViewOfOutcome(outcome);
    LabMsg->setText(FromCp932(formula::OutcomeLabel(view.ok)));
    LabMsg->adjustSize();
    messageParagraphs_ = view.paragraphs;
    lastAnswer_ = view.lastAnswer;
    ShowMessage();
    ShowAnswer();
    // The input area kept its caret.
    Calc->setFocus();
}

void TfrmSushiki::ShowMessage() {
    Msg->setPlainText(ToQt(formula::MessageText(messageParagraphs_, WrapWidth())));
}

void TfrmSushiki::ShowAnswer() {
    Ans->setPlainText(ToQt(formula::AnswerText(lastAnswer_, settings_.group, WrapWidth())));
}

void TfrmSushiki::SetGroup(int group) {
    settings_.group = group;
    ShowAnswer();
}

void TfrmSushiki::InsertIntoInput(const QString& text) {
    QTextCursor cursor = Calc->textCursor();
    cursor.insertText(text);  // over the selection, when there is one
    Calc->setTextCursor(cursor);
    Calc->setFocus();
}

void TfrmSushiki::EditInput(std::string_view button) {
    if (button == "btCE") {
        Calc->clear();
    } else if (button == "btC") {
        ClearAll();
    } else {
        QTextCursor cursor = Calc->textCursor();
        if (button == "btDel") {
            cursor.deleteChar();
        } else if (button == "btBS") {
            if (cursor.hasSelection())
                cursor.removeSelectedText();
            else if (cursor.position() > 0)
                cursor.deletePreviousChar();
        } else {
            cursor.movePosition(button == "btLeft" ? QTextCursor::Left : QTextCursor::Right);
        }
        Calc->setTextCursor(cursor);
    }
    Calc->setFocus();
}

void TfrmSushiki::ClearAll() {
    Msg->clear();
    Ans->clear();
    Calc->clear();
    lastAnswer_.clear();
    messageParagraphs_.clear();
}

void TfrmSushiki::OpenHelp() {
    OpenManualPage(this, context().session().paths(), "2-6.htm");
}

}  // namespace pemu::ui
