#include "ui/windows/log_view.hpp"

#include <QActionGroup>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QWindow>

#include "calclog/log_view.hpp"
#include "display/system_colours.hpp"
#include "display/window_routines.hpp"
#include "platform/codec.hpp"
#include "shell/settings_keys.hpp"
#include "ui/app_context.hpp"
#include "ui/ui_text.hpp"
#include "ui/windows/size_grip.hpp"

namespace pemu::ui {
namespace {

// The outer size the window never goes below.
constexpr QSize kMinimumOuterSize(287, 525);
constexpr int kButtonHeight = 25;

QPushButton* AddButton(QWidget* parent, const char* name, std::string_view caption) {
    auto* button = new QPushButton(Caption(caption), parent);
    button->setObjectName(name);
    return button;
}

}  // namespace

TfrmLogView::TfrmLogView(AppContext& context)
    : SecondaryWindow(context, shell::WindowCode::kLogViewer, "ログ表示 :F4") {
    setObjectName("frmLogView");
    const shell::SettingsStore& store = context.store();
    fontSize_ = calclog::AcceptedLogFontSize(shell::Read(store, shell::keys::kLogFontSize));

    TextArea = new QTextEdit(this);
    TextArea->setObjectName("TextArea");
    TextArea->setReadOnly(true);
    // Read-only, yet a caret for selecting with the keyboard.
    TextArea->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    TextArea->setLineWrapMode(QTextEdit::NoWrap);
    TextArea->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    TextArea->document()->setDefaultTextOption(QTextOption(Qt::AlignRight));
    TextArea->setContextMenuPolicy(Qt::CustomContextMenu);
    Reload = AddButton(this, "Reload", "更新(&U)");
    RunClose = AddButton(this, "RunClose", " 閉じる(&X)");
    connect(Reload, &QPushButton::clicked, this, [this] {
        LoadLog();
        TextArea->setFocus();
    });
    connect(RunClose, &QPushButton::clicked, this, &QWidget::close);

    Status = new QLabel(this);
    Status->setObjectName("Status");
    statusGrid_ = std::make_unique<display::TStatusGrid>(statusImage_);
    statusGrid_->SetFont("MS UI Gothic", 9, display::ColourOf(display::SystemColour::kWindowText));
    statusGrid_->SetColours(display::ColourOf(display::SystemColour::kButtonShadow),
                            display::ColourOf(display::SystemColour::kButtonFace));
    statusGrid_->Layout(1, 1, {80});
    Status->setFixedSize(statusImage_.size());
    sizeGrip_ = new SizeGrip(this);

    BuildMenus();
    BuildPopup();
    LogHozon->setChecked(shell::Read(store, shell::keys::kLogHozon));
    ShowStatus();
    ApplyFont();
    resize(shell::Read(store, shell::keys::kLogViewWidth),
           shell::Read(store, shell::keys::kLogViewHeight));
    SetOuterMinimum(kMinimumOuterSize,
                    QSize(shell::keys::kLogViewWidth.def, shell::keys::kLogViewHeight.def));
}

TfrmLogView::~TfrmLogView() = default;

std::string TfrmLogView::LogPath() {
    return context().session().paths().PathOf(shell::PathKind::kTapeLogFile);
}

void TfrmLogView::LoadLog() {
    const calclog::LogRead read = calclog::ReadLogFile(LogPath());
    if (!read.io) {
        QMessageBox::warning(
            this, "Pemu",
            Caption("計算ログを読めませんでした。\n") + QString::fromStdString(read.io.what));
    }
    const tape::LOG& log = context().tape().Log();
    text_ = calclog::LogViewText(read.text, log.ClearedText(), log.TapeText());
    QString shown = FromCp932(text_);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    TextArea->setPlainText(shown);
    MoveCaretToEnd();
}

void TfrmLogView::MoveCaretToEnd() {
    TextArea->moveCursor(QTextCursor::End);
    TextArea->ensureCursorVisible();
}

std::string TfrmLogView::SelectedText() const {
    QString selected = TextArea->textCursor().selectedText();
    selected.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return ToCp932(selected);
}

void TfrmLogView::ShowStatus() {
    const bool on = LogHozon->isChecked();
    statusGrid_->CellTextColoured(
        platform::Sjis(on ? "ログ保存:ON" : "ログ保存:OFF"), 0,
        display::ColourOf(on ? display::SystemColour::kWindow : display::SystemColour::kButtonFace),
        display::ColourOf(display::SystemColour::kWindowText), 0);
    Status->setPixmap(QPixmap::fromImage(statusImage_));
}

void TfrmLogView::SetLogHozon(bool on) {
    LogHozon->setChecked(on);
    // Kept at once: the end of this run decides by it whether its tapes join the log.
    shell::Write(context().store(), shell::keys::kLogHozon, on);
    ShowStatus();
}

void TfrmLogView::SetFontSize(int size) {
    fontSize_ = calclog::AcceptedLogFontSize(size);
    ApplyFont();
}

void TfrmLogView::ApplyFont() {
    QFont font = display::FontFor("ＭＳ ゴシック", fontSize_);
    font.setFixedPitch(true);
    font.setBold(ToBold->isChecked());
    TextArea->setFont(font);
    for (QAction* size : FontSizes->actions())
        size->setChecked(size->data().toInt() == fontSize_);
}

bool TfrmLogView::WindowKeyDown(int virtualKey, KeyModifiers modifiers) {
    if (virtualKey != vk::kF5 || modifiers.shift || modifiers.ctrl || modifiers.alt) return false;
    LoadLog();
    TextArea->setFocus();
    return true;
}

void TfrmLogView::WriteSettings() {
    shell::SettingsStore& store = context().store();
    shell::Write(store, shell::keys::kLogViewHeight, height());
    shell::Write(store, shell::keys::kLogViewWidth, width());
    shell::Write(store, shell::keys::kLogViewTop, y());
    shell::Write(store, shell::keys::kLogViewLeft, x());
    shell::Write(store, shell::keys::kLogFontSize, fontSize_);
}

void TfrmLogView::showEvent(QShowEvent* event) {
    SecondaryWindow::showEvent(event);
    if (shown_) return;
    shown_ = true;
    LoadLog();
}

void TfrmLogView::changeEvent(QEvent* event) {
    SecondaryWindow::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow() || !firstActivation_) return;
    firstActivation_ = false;
    MoveCaretToEnd();
    TextArea->setFocus();
}

void TfrmLogView::resizeEvent(QResizeEvent* event) {
    SecondaryWindow::resizeEvent(event);
    const int w = width(), h = height();
    const int menuHeight = menuBar_->sizeHint().height();
    menuBar_->setGeometry(0, 0, w, menuHeight);
    const int statusTop = h - Status->height() - 1;
    Status->move(2, statusTop);
    sizeGrip_->move(w - sizeGrip_->width(), h - sizeGrip_->height());
    const auto row = display::LayoutButtonRow(w, 2, kButtonHeight, statusTop);
    Reload->setGeometry(row[0].left, row[0].top, row[0].width, kButtonHeight);
    RunClose->setGeometry(row[1].left, row[1].top, row[1].width, kButtonHeight);
    TextArea->setGeometry(1, menuHeight, w - 2, std::max(0, row[0].top - 2 - menuHeight));
}

void TfrmLogView::mousePressEvent(QMouseEvent* event) {
    // A press on a free part of the window moves it, as by its caption.
    if (event->button() != Qt::LeftButton) return;
    if (windowHandle() && windowHandle()->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void TfrmLogView::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) move(event->globalPosition().toPoint() - dragOffset_);
}

void TfrmLogView::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
}

}  // namespace pemu::ui
