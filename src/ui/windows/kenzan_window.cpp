// The check tape window: its controls, menus, settings, layout and drawing. Keys, the
// command panel and the input box are in kenzan_window_edit.cpp.
#include "ui/windows/kenzan_window.hpp"

#include <QActionGroup>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QSizeGrip>
#include <QVBoxLayout>

#include "display/status_line.hpp"
#include "display/system_colours.hpp"
#include "display/window_routines.hpp"
#include "platform/codec.hpp"
#include "shell/settings_keys.hpp"
#include "tape/tape_window_layout.hpp"
#include "tape/tape_window_options.hpp"
#include "ui/app_context.hpp"
#include "ui/desktop_open.hpp"
#include "ui/ui_text.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/drag_mover.hpp"
#include "ui/windows/tape_command_panel.hpp"
#include "ui/windows/tape_grid_widget.hpp"
#include "ui/windows/tape_input_box.hpp"

namespace pemu::ui {

namespace {

namespace keys = shell::keys;

// The outer size the window never goes below.
constexpr QSize kMinimumOuter(380, 525);
constexpr int kGripSize = 15;
// The colour the status image leaves between its cells: not drawn.
const QColor kStatusGround(128, 0, 0);

QPoint ToQPoint(platform::Point p) {
    return {p.x, p.y};
}

}  // namespace

// The status line image, with the ground between its cells left out.
class TapeStatusWidget : public QWidget {
  public:
    TapeStatusWidget(const QImage& image, QWidget* parent) : QWidget(parent), image_(image) {
        setObjectName("Status");
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPixmap picture = QPixmap::fromImage(image_);
        picture.setMask(picture.createMaskFromColor(kStatusGround));
        QPainter(this).drawPixmap(0, 0, picture);
    }

  private:
    const QImage& image_;
};

namespace {

// SizeChangeMark: the grip dots; dragging them resizes the window.
class SizeChangeMark : public QSizeGrip {
  public:
    explicit SizeChangeMark(QWidget* parent) : QSizeGrip(parent) {
        setObjectName("SizeChangeMark");
        setFixedSize(kGripSize, kGripSize);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QImage dots(size(), QImage::Format_RGB32);
        display::DrawSizeGrip(dots);
        QPainter(this).drawImage(0, 0, dots);
    }
};

// PinMark: shown while auto scroll is off; a double click turns it on again.
class PinMarkWidget : public QWidget {
  public:
    PinMarkWidget(QWidget* parent, std::function<void()> doubleClicked)
        : QWidget(parent), doubleClicked_(std::move(doubleClicked)) {
        setObjectName("PinMark");
        setFixedSize(18, 24);
        setToolTip(Caption("オートスクロールOFF（ダブルクリックでON）"));
        move(42, 2);
        hide();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(90, 90, 90), 2));
        p.drawLine(QPointF(9, 12), QPointF(9, 23));  // the needle
        p.setPen(QPen(QColor(120, 0, 0), 1));
        p.setBrush(QColor(220, 30, 30));
        p.drawEllipse(QRectF(2, 1, 14, 13));  // the head
        p.setBrush(QColor(255, 170, 170));
        p.setPen(Qt::NoPen);
        p.drawEllipse(QRectF(5, 3, 5, 4));  // its shine
    }
    void mouseDoubleClickEvent(QMouseEvent*) override { doubleClicked_(); }

  private:
    std::function<void()> doubleClicked_;
};

}  // namespace

TfrmKenzan::TfrmKenzan(AppContext& context)
    : SecondaryWindow(context, shell::WindowCode::kCheckTape, "検算 :F1"),
      view_(context.tape()),
      correction_(context.tape(), view_, context.calculator()) {
    setObjectName("frmKenzan");
    BuildControls();
    BuildMenus();
    ConnectControls();
    ConnectEditing();
    ReadSettings();
    redrawn_ = view_.OnRedrawn([this] { DrawView(); });
}

TfrmKenzan::~TfrmKenzan() = default;

void TfrmKenzan::BuildControls() {
    auto* frame = new QVBoxLayout(this);
    frame->setContentsMargins(0, 0, 0, 0);
    frame->setSpacing(0);
    menuBar_ = new QMenuBar(this);
    menuBar_->setObjectName("MainM");
    frame->setMenuBar(menuBar_);
    client_ = new QWidget(this);
    client_->setObjectName("Client");
    frame->addWidget(client_);
    client_->installEventFilter(this);

    grid_ = new TapeGridWidget(client_);
    scrollBar_ = new QScrollBar(Qt::Vertical, client_);
    scrollBar_->setObjectName("ScrBar");
    scrollBar_->setFocusPolicy(Qt::NoFocus);
    dummy_ = new QScrollBar(Qt::Vertical, client_);
    dummy_->setObjectName("Dummy");
    dummy_->setEnabled(false);
    dummy_->setFocusPolicy(Qt::NoFocus);

    statusImage_ = QImage(1, display::TStatus::Height(), QImage::Format_RGB32);
    statusWidget_ = new TapeStatusWidget(statusImage_, client_);
    status_ = std::make_unique<display::TStatus>(statusImage_, [this] { statusWidget_->update(); });
    status_->Layout(tape::StatusLayoutText());
    statusWidget_->setFixedSize(statusImage_.size());
    sizeGrip_ = new SizeChangeMark(client_);

    const auto button = [this](const char* name, std::string_view caption) {
        auto* b = new QPushButton(Caption(caption), client_);
        b->setObjectName(name);
        b->setAutoDefault(false);
        return b;
    };
    logView_ = button("LogView", "ログ表示(&L)");
    clearRun_ = button("ClearRun", "クリア(&D)");
    closeRun_ = button("CloseRun", "閉じる(&X)");
    logView_->setEnabled(context().windows().IsRegistered(shell::WindowCode::kLogViewer));
    setTabOrder(grid_, logView_);
    setTabOrder(logView_, clearRun_);
    setTabOrder(clearRun_, closeRun_);

    pin_ = new PinMarkWidget(client_, [this] { SetAutoScroll(true); });
    new DragMover(pin_, pin_, [this] {
        pin_->move(ToQPoint(tape::KeptInside({pin_->x(), pin_->y(), pin_->width(), pin_->height()},
                                             {client_->width(), client_->height()})));
    });
    panel_ = new TapeCommandPanel(client_);
    inputBox_ = new TapeInputBox(client_);
    inputButtons_ = new TapeInputButtons(client_);
    // A press on a free part of the window drags the whole window.
    new DragMover(client_, this);
}

void TfrmKenzan::BuildMenus() {
    const auto item = [this](QMenu* menu, const char* name, std::string_view caption,
                             bool checkable) {
        QAction* action = menu->addAction(Caption(caption));
        action->setObjectName(name);
        action->setCheckable(checkable);
        return action;
    };
    QMenu* file = menuBar_->addMenu(Caption("ファイル(&F)"));
    menu_.Closem = item(file, "Closem", "閉じる (&X)", false);

    menu_.OptionMenu = menuBar_->addMenu(Caption("設定(&O)"));
    menu_.OptionMenu->setObjectName("OptionMenu");
    QMenu* sizes = menu_.OptionMenu->addMenu(Caption("文字の大きさ (&F)"));
    auto* sizeGroup = new QActionGroup(this);
    for (int size : tape::kFontSizes) {
        const std::string name = "FontSize" + std::to_string(size);
        QAction* action = item(sizes, name.c_str(), std::to_string(size), true);
        action->setData(size);
        sizeGroup->addAction(action);
        menu_.FontSize.push_back(action);
    }
    QMenu* scroll = menu_.OptionMenu->addMenu(Caption("スクロールの行数 (&S)"));
    auto* scrollGroup = new QActionGroup(this);
    for (int lines : tape::kWheelLineChoices) {
        const std::string name = "Scroll" + std::to_string(lines);
        QAction* action = item(scroll, name.c_str(), "&" + std::to_string(lines) + "行", true);
        action->setData(lines);
        scrollGroup->addAction(action);
        menu_.Scroll.push_back(action);
    }
    menu_.IsAutoScroll = item(menu_.OptionMenu, "IsAutoScroll", "オートスクロール (&A)", true);
    menu_.OptionMenu->addSeparator();
    menu_.KenzanCheck = item(menu_.OptionMenu, "KenzanCheck", "検算機能 (&K)", true);
    menu_.KenzanAutoDate = item(menu_.OptionMenu, "KenzanAutoDate", "日付と時刻を挿入 (&P)", true);
    menu_.IsColorOn = item(menu_.OptionMenu, "IsColorOn", "2色表示 (&N)", true);
    menu_.IsOptColor =
        item(menu_.OptionMenu, "IsOptColor", "\"‥\"（設定・参照情報）の行に色を付ける (&C)", true);
    menu_.IsInputPanel =
        item(menu_.OptionMenu, "IsInputPanel", "変更時に入力パネルを表示 (&I)", true);

    QMenu* help = menuBar_->addMenu(Caption("ヘルプ(&H)"));
    menu_.OpenHelp = item(help, "OpenHelp", "検算ヘルプ (&K)", false);
}

void TfrmKenzan::ConnectControls() {
    tape::TapeRecorder& tape = context().tape();
    connect(menu_.Closem, &QAction::triggered, this, &QWidget::close);
    connect(menu_.OptionMenu, &QMenu::aboutToShow, this, &TfrmKenzan::OptionMenuShown);
    for (QAction* action : menu_.FontSize)
        connect(action, &QAction::triggered, this,
                [this, action] { SetFontSize(action->data().toInt()); });
    for (QAction* action : menu_.Scroll)
        connect(action, &QAction::triggered, this,
                [this, action] { SetWheelLines(action->data().toInt()); });
    connect(menu_.IsAutoScroll, &QAction::triggered, this,
            [this] { SetAutoScroll(!view_.AutoScroll()); });
    connect(menu_.KenzanCheck, &QAction::triggered, this, [this, &tape] {
        tape.Options().checkFunctionOn = !tape.Options().checkFunctionOn;
        tape.NoteCheckFunction(tape.Options().checkFunctionOn);
        ShowStatus();
    });
    connect(menu_.KenzanAutoDate, &QAction::triggered, this, [this, &tape] {
        tape.Options().autoDateOn = !tape.Options().autoDateOn;
        ShowStatus();
    });
    connect(menu_.IsColorOn, &QAction::triggered, this, [this, &tape] {
        tape.Options().twoColourOn = !tape.Options().twoColourOn;
        view_.SetTwoColour(tape.Options().twoColourOn);
        DrawView();
    });
    connect(menu_.IsOptColor, &QAction::triggered, this, [this] { DrawView(); });
    connect(menu_.IsInputPanel, &QAction::triggered, this, [this] {
        inputPanel_ = !inputPanel_;
        ShowInputButtons(inputPanel_);
    });
    connect(menu_.OpenHelp, &QAction::triggered, this, &TfrmKenzan::OpenHelpPage);

    connect(logView_, &QPushButton::clicked, this,
            [this] { context().windows().HandleWindowKey(Code(), vk::kF4, {}); });
    connect(clearRun_, &QPushButton::clicked, this, &TfrmKenzan::ClearTape);
    connect(closeRun_, &QPushButton::clicked, this, &QWidget::close);
    connect(scrollBar_, &QScrollBar::actionTriggered, this, &TfrmKenzan::ScrollBarMoved);
    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int position) {
        if (position == view_.ScrollBar().position) return;
        view_.ScrollTape(tape::ScrollKey::kNone, 0, false, position);
        DrawView();
    });
}

void TfrmKenzan::ReadSettings() {
    const shell::SettingsStore& store = context().store();
    SetFontSize(tape::AcceptedFontSize(shell::Read(store, keys::kKenzanFontSize)));
    SetWheelLines(tape::AcceptedWheelLines(shell::Read(store, keys::kKenzanScroll)));
    view_.SetAutoScroll(shell::Read(store, keys::kIsAutoScroll));
    inputPanel_ = shell::Read(store, keys::kIsInputPanel);
    menu_.IsOptColor->setChecked(shell::Read(store, keys::kIsOptColor));
    view_.SetTwoColour(context().tape().Options().twoColourOn);
    const int height = shell::Read(store, keys::kKenzanClientHeight);
    const int width = shell::Read(store, keys::kKenzanClientWidth);
    const int menuHeight = menuBar_->sizeHint().height();
    resize(width, height + menuHeight);
    SetOuterMinimum(kMinimumOuter, QSize(keys::kKenzanClientWidth.def,
                                         keys::kKenzanClientHeight.def + menuHeight));
}

void TfrmKenzan::WriteSettings() {
    shell::SettingsStore& store = context().store();
    const tape::TapeOptions& options = context().tape().Options();
    shell::Write(store, keys::kKenzanClientHeight, client_->height());
    shell::Write(store, keys::kKenzanClientWidth, client_->width());
    shell::Write(store, keys::kKenzanTop, y());
    shell::Write(store, keys::kKenzanLeft, x());
    shell::Write(store, keys::kKenzanScroll, wheelLines_);
    shell::Write(store, keys::kKenzanAutoDate, options.autoDateOn);
    shell::Write(store, keys::kKenzanCheck, options.checkFunctionOn);
    shell::Write(store, keys::kKenzanIsColor, options.twoColourOn);
    shell::Write(store, keys::kKenzanFontSize, fontSize_);
    shell::Write(store, keys::kIsInputPanel, inputPanel_);
    shell::Write(store, keys::kIsAutoScroll, view_.AutoScroll());
    shell::Write(store, keys::kIsOptColor, menu_.IsOptColor->isChecked());
}

void TfrmKenzan::showEvent(QShowEvent* event) {
    SecondaryWindow::showEvent(event);
    if (view_.IsOpen()) return;
    view_.SetOpen(true);
    LayOut();
    FocusGrid();
}

bool TfrmKenzan::eventFilter(QObject* watched, QEvent* event) {
    if (watched == client_ && event->type() == QEvent::Resize && view_.IsOpen()) LayOut();
    return SecondaryWindow::eventFilter(watched, event);
}

void TfrmKenzan::LayOut() {
    const int width = client_->width();
    const int height = client_->height();
    statusTop_ = height - statusWidget_->height() - 2;
    statusWidget_->move(2, statusTop_);
    sizeGrip_->move(width - kGripSize, statusTop_ + 5);
    const int buttonHeight = closeRun_->sizeHint().height();
    const auto row = display::LayoutButtonRow(width, 3, buttonHeight, statusTop_);
    QPushButton* buttons[] = {logView_, clearRun_, closeRun_};
    for (std::size_t i = 0; i < row.size(); ++i)
        buttons[i]->setGeometry(row[i].left, row[i].top, row[i].width, buttonHeight);

    tape::GridLayoutInput in;
    in.clientWidth = width;
    in.buttonTop = row.front().top;
    in.rowHeight = grid_->RowHeight();
    in.scrollBarWidth = scrollBar_->sizeHint().width();
    in.numberColumnWidth = grid_->NumberColumnWidth();
    const tape::GridLayout grid = tape::LayOutGrid(in);
    view_.SetVisibleRows(grid.visibleRows);
    grid_->SetColumns(grid.columnWidths);
    grid_->setGeometry(0, 0, grid.width, grid.height);
    for (QScrollBar* bar : {scrollBar_, dummy_})
        bar->setGeometry(width - in.scrollBarWidth, 0, in.scrollBarWidth, grid.height);
    view_.RefreshView(view_.ScrollBar().position);
    if (EditOpen()) PlaceInputBox();
    DrawView();
    if (!laidOut_) {
        laidOut_ = true;
        ShowPinMark();
    }
}

void TfrmKenzan::DrawView() {
    grid_->Draw(view_, {menu_.IsOptColor->isChecked(), !EditOpen()});
    const tape::ScrollBarState& bar = view_.ScrollBar();
    if (bar.visible) {
        const QSignalBlocker quiet(scrollBar_);
        scrollBar_->setRange(bar.min, std::max(bar.min, bar.max - bar.page + 1));
        scrollBar_->setPageStep(bar.page);
        scrollBar_->setValue(bar.position);
    }
    scrollBar_->setVisible(bar.visible);
    dummy_->setVisible(!bar.visible);
    ShowStatus();
    // The view closes the panels on its own (scrolling, a new recording, a clear).
    if (!view_.CommandPanelOpen()) panel_->hide();
    if (!EditOpen()) {
        inputBox_->hide();
        inputButtons_->hide();
    }
}

void TfrmKenzan::ShowStatus() {
    const tape::TapeOptions& options = context().tape().Options();
    const auto cells = tape::StatusCells(options.checkFunctionOn, options.autoDateOn,
                                         options.twoColourOn, view_.ScrollBar().max);
    for (std::size_t i = 0; i < cells.size(); ++i)
        status_->ShowCell(static_cast<int>(i), cells[i].text, cells[i].highlight);
}

void TfrmKenzan::SetFontSize(int size) {
    fontSize_ = size;
    grid_->SetFontSize(size);
    inputBox_->SetFontSize(grid_->GridFont());
    if (view_.IsOpen()) LayOut();
}

void TfrmKenzan::SetWheelLines(int lines) {
    wheelLines_ = lines;
    view_.SetWheelLines(lines);
    ShowStatus();
}

void TfrmKenzan::SetAutoScroll(bool on) {
    view_.SetAutoScroll(on);
    ShowPinMark();
    if (on && view_.IsOpen()) {
        view_.RefreshView(0);
        DrawView();
    }
}

void TfrmKenzan::ShowPinMark() {
    if (view_.AutoScroll()) {
        pin_->hide();
        return;
    }
    pin_->move(ToQPoint(tape::PinMarkPosition({pin_->x(), pin_->y()}, grid_->ColumnX(1))));
    pin_->show();
    pin_->raise();
}

void TfrmKenzan::ScrollBarMoved(int action) {
    // A click beside the slider moves by the wheel step, not by a page.
    const int step = action == QAbstractSlider::SliderPageStepAdd   ? wheelLines_
                     : action == QAbstractSlider::SliderPageStepSub ? -wheelLines_
                                                                    : 0;
    if (step != 0) scrollBar_->setSliderPosition(scrollBar_->value() + step);
}

void TfrmKenzan::OptionMenuShown() {
    const tape::TapeOptions& options = context().tape().Options();
    for (QAction* action : menu_.FontSize)
        action->setChecked(action->data().toInt() == fontSize_);
    for (QAction* action : menu_.Scroll)
        action->setChecked(action->data().toInt() == wheelLines_);
    menu_.IsAutoScroll->setChecked(view_.AutoScroll());
    menu_.KenzanCheck->setChecked(options.checkFunctionOn);
    menu_.KenzanAutoDate->setChecked(options.autoDateOn);
    menu_.IsColorOn->setChecked(options.twoColourOn);
    menu_.IsInputPanel->setChecked(inputPanel_);
}

void TfrmKenzan::OpenHelpPage() {
    OpenManualPage(this, context().session().paths(), "2-65.htm");
}

}  // namespace pemu::ui
