// The formula window's controls: the three framed areas, the input and editing buttons,
// the grouping buttons and digit selectors, the menus, fonts, colour schemes and the
// status line.
#include <QAction>
#include <QActionGroup>
#include <QButtonGroup>
#include <QComboBox>
#include <QFontMetrics>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <functional>

#include "core/calculator.hpp"
#include "display/system_colours.hpp"
#include "display/window_routines.hpp"
#include "formula/formula_display.hpp"
#include "platform/codec.hpp"
#include "ui/ui_text.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/formula_window.hpp"
#include "ui/windows/window_drag.hpp"

namespace pemu::ui {

namespace {

using display::ColourOf;
using display::SystemColour;

enum class Kind { kInput, kFunction, kEdit, kCalculate };

struct ButtonEntry {
    const char* name;
    const char* caption;  // UTF-8; an input button inserts it
    Kind kind;
    int row;
    int column;
    int span;
};

// Four columns of buttons at the right edge of the window.
constexpr std::array<ButtonEntry, 37> kButtons = {{
    {"btIn_sin", "sin", Kind::kFunction, 0, 0, 1},
    {"btIn_cos", "cos", Kind::kFunction, 0, 1, 1},
    {"btIn_tan", "tan", Kind::kFunction, 0, 2, 1},
    {"btIn_log", "log", Kind::kFunction, 0, 3, 1},
    {"btIn_asin", "asin", Kind::kFunction, 1, 0, 1},
    {"btIn_acos", "acos", Kind::kFunction, 1, 1, 1},
    {"btIn_atan", "atan", Kind::kFunction, 1, 2, 1},
    {"btIn_root", "√", Kind::kInput, 1, 3, 1},
    {"btIn_pi", "π", Kind::kInput, 2, 0, 1},
    {"btIn_e", "e", Kind::kInput, 2, 1, 1},
    {"btIn_power", "^", Kind::kInput, 2, 2, 1},
    {"btIn_divide", "/", Kind::kInput, 2, 3, 1},
    {"btIn_open", "（", Kind::kInput, 3, 0, 1},
    {"btIn_close", "）", Kind::kInput, 3, 1, 1},
    {"btDel", "DEL", Kind::kEdit, 3, 2, 1},
    {"btBS", "BS", Kind::kEdit, 3, 3, 1},
    {"btIn_7", "7", Kind::kInput, 4, 0, 1},
    {"btIn_8", "8", Kind::kInput, 4, 1, 1},
    {"btIn_9", "9", Kind::kInput, 4, 2, 1},
    {"btIn_times", "*", Kind::kInput, 4, 3, 1},
    {"btIn_4", "4", Kind::kInput, 5, 0, 1},
    {"btIn_5", "5", Kind::kInput, 5, 1, 1},
    {"btIn_6", "6", Kind::kInput, 5, 2, 1},
    {"btIn_minus", "-", Kind::kInput, 5, 3, 1},
    {"btIn_1", "1", Kind::kInput, 6, 0, 1},
    {"btIn_2", "2", Kind::kInput, 6, 1, 1},
    {"btIn_3", "3", Kind::kInput, 6, 2, 1},
    {"btIn_plus", "+", Kind::kInput, 6, 3, 1},
    {"btIn_0", "0", Kind::kInput, 7, 0, 1},
    {"btIn_point", ".", Kind::kInput, 7, 1, 1},
    {"btLeft", "←", Kind::kEdit, 7, 2, 1},
    {"btRight", "→", Kind::kEdit, 7, 3, 1},
    {"btCE", "CE(&E)", Kind::kEdit, 8, 0, 2},
    {"btC", "C(&C)", Kind::kEdit, 8, 2, 2},
    {"btIn_newline", "改行", Kind::kInput, 9, 0, 2},
    {"btEq", "=", Kind::kCalculate, 9, 2, 2},
    {"Button1", "計算(&K)", Kind::kCalculate, 10, 0, 4},
}};

constexpr int kButtonWidth = 28;
constexpr int kButtonHeight = 26;
constexpr int kButtonGap = 2;
constexpr int kButtonColumns = 4;
constexpr int kButtonRows = 11;

constexpr std::array<int, 7> kFontSizes = {10, 12, 14, 16, 18, 20, 22};

struct ColourScheme {
    const char* caption;
    QColor background;
    QColor text;
};

const std::array<ColourScheme, 6>& ColourSchemes() {
    static const std::array<ColourScheme, 6> schemes = {{
        {"デフォルト (&D)", ColourOf(SystemColour::kWindow), ColourOf(SystemColour::kWindowText)},
        {"マネーグリーン (&G)", QColor(192, 220, 192), Qt::black},
        {"ホワイト (&W)", Qt::white, Qt::black},
        {"ブラック (&B)", Qt::black, Qt::white},
        {"ネイビー (&N)", QColor(0, 0, 128), Qt::white},
        {"シルバー (&S)", QColor(192, 192, 192), Qt::black},
    }};
    return schemes;
}

QFont UiFont() {
    return display::FontFor("MS UI Gothic", 9);
}

QPlainTextEdit* MakeArea(QFrame* frame, const char* name, bool readOnly) {
    auto* area = new QPlainTextEdit(frame);
    area->setObjectName(QString::fromLatin1(name));
    area->setReadOnly(readOnly);
    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    area->setTabChangesFocus(true);
    if (readOnly) {
        // The window wraps these itself, to the byte.
        area->setLineWrapMode(QPlainTextEdit::NoWrap);
        area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    }
    return area;
}

// A submenu of exclusive choices, `current` checked; `chosen` gets the index picked.
void AddChoices(QMenu& menu, const QString& title, const QStringList& captions, int current,
                const std::function<void(int)>& chosen) {
    QMenu* choices = menu.addMenu(title);
    auto* group = new QActionGroup(choices);
    for (int i = 0; i < captions.size(); ++i) {
        QAction* item = choices->addAction(captions[i]);
        item->setCheckable(true);
        item->setChecked(i == current);
        group->addAction(item);
        QObject::connect(item, &QAction::triggered, choices, [chosen, i] { chosen(i); });
    }
}

QFrame* MakeFrame(QWidget* parent, const char* name) {
    auto* frame = new QFrame(parent);
    frame->setObjectName(QString::fromLatin1(name));
    frame->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    frame->setAutoFillBackground(true);
    return frame;
}

}  // namespace

void TfrmSushiki::BuildControls() {
    auto* column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    menuBar_ = new QMenuBar(this);
    column->addWidget(menuBar_);
    client_ = new QWidget(this);
    client_->setObjectName("Client");
    column->addWidget(client_, 1);
    FollowDrags(*client_, DragAction::kMove);

    LabMsg = new QLabel(FromCp932(formula::OutcomeLabel()), client_);
    LabAns = new QLabel(Caption("計算結果："), client_);
    LabCalc = new QLabel(Caption("式の入力："), client_);
    for (auto [label, name] :
         {std::pair{LabMsg, "LabMsg"}, {LabAns, "LabAns"}, {LabCalc, "LabCalc"}}) {
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(UiFont());
    }
    MsgWaku = MakeFrame(client_, "MsgWaku");
    AnsWaku = MakeFrame(client_, "AnsWaku");
    CalcWaku = MakeFrame(client_, "CalcWaku");
    Msg = MakeArea(MsgWaku, "Msg", true);
    Ans = MakeArea(AnsWaku, "Ans", true);
    Calc = MakeArea(CalcWaku, "Calc", false);
    Calc->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);

    BuildButtonPanel();
    BuildDigitPanel();

    Status = new QLabel(client_);
    Status->setObjectName("Status");
    Status->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    SizeChangeMark = new QLabel(client_);
    SizeChangeMark->setObjectName("SizeChangeMark");
    SizeChangeMark->setCursor(Qt::SizeFDiagCursor);
    FollowDrags(*SizeChangeMark, DragAction::kResizeBottomRight);
    BuildMenus();
    setTabOrder(Calc, MaxSeisubu);
}

QPushButton* TfrmSushiki::AddButton(QWidget* parent, const char* name, std::string_view caption) {
    auto* button = new QPushButton(Caption(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setFont(UiFont());
    return button;
}

void TfrmSushiki::BuildButtonPanel() {
    ButtonPanel = new QWidget(client_);
    ButtonPanel->setObjectName("ButtonPanel");
    ButtonPanel->setFixedSize(kButtonColumns * (kButtonWidth + kButtonGap) - kButtonGap + 1,
                              kButtonRows * (kButtonHeight + kButtonGap) - kButtonGap + 1);
    for (const ButtonEntry& b : kButtons) {
        QPushButton* button = AddButton(ButtonPanel, b.name, b.caption);
        button->setGeometry(b.column * (kButtonWidth + kButtonGap),
                            b.row * (kButtonHeight + kButtonGap),
                            b.span * kButtonWidth + (b.span - 1) * kButtonGap, kButtonHeight);
        const QString text = Caption(b.caption);
        switch (b.kind) {
            case Kind::kInput: {
                const QString inserted =
                    std::string_view(b.name) == "btIn_newline" ? QStringLiteral("\n") : text;
                connect(button, &QPushButton::clicked, this,
                        [this, inserted] { InsertIntoInput(inserted); });
                break;
            }
            case Kind::kFunction:
                connect(button, &QPushButton::clicked, this, [this, text] {
                    InsertIntoInput(settings_.functionParen ? text + QLatin1Char('(') : text);
                });
                break;
            case Kind::kEdit: {
                const char* action = b.name;
                connect(button, &QPushButton::clicked, this, [this, action] { EditInput(action); });
                break;
            }
            case Kind::kCalculate:
                connect(button, &QPushButton::clicked, this, &TfrmSushiki::Calculate);
                break;
        }
    }
    btEq = ButtonPanel->findChild<QPushButton*>("btEq");
    btCE = ButtonPanel->findChild<QPushButton*>("btCE");
    btC = ButtonPanel->findChild<QPushButton*>("btC");
}

void TfrmSushiki::BuildDigitPanel() {
    DigitPanel = new QWidget(client_);
    DigitPanel->setObjectName("DigitPanel");
    auto* row = new QHBoxLayout(DigitPanel);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(1);
    const auto label = [this, row](const char* text) {
        auto* l = new QLabel(Caption(text), DigitPanel);
        l->setFont(UiFont());
        row->addWidget(l);
    };
    label("桁区切：");
    kugiri_ = new QButtonGroup(this);
    kugiri_->setExclusive(true);
    for (int group : {0, 2, 3, 4, 5}) {
        const std::string name = "Kugiri" + std::to_string(group);
        QPushButton* button = AddButton(DigitPanel, name.c_str(), std::to_string(group));
        button->setCheckable(true);
        button->setFixedSize(17, 20);
        kugiri_->addButton(button, group);
        row->addWidget(button);
    }
    connect(kugiri_, &QButtonGroup::idClicked, this, &TfrmSushiki::SetGroup);
    row->addSpacing(4);
    label("最大桁数：");
    label("整数部 ");
    MaxSeisubu = new QComboBox(DigitPanel);
    row->addWidget(MaxSeisubu);
    label("小数部");
    MaxSyosubu = new QComboBox(DigitPanel);
    row->addWidget(MaxSyosubu);
    for (auto [box, name] : {std::pair{MaxSeisubu, "MaxSeisubu"}, {MaxSyosubu, "MaxSyosubu"}}) {
        box->setObjectName(QString::fromLatin1(name));
        box->setFont(UiFont());
        box->setMaxVisibleItems(20);
        for (int value = 1; value <= 100; ++value)
            box->addItem(QString::number(value));
        box->setFixedWidth(48);
    }
    DigitPanel->setFixedSize(DigitPanel->sizeHint().width(), 22);
}

void TfrmSushiki::BuildMenus() {
    QMenu* file = menuBar_->addMenu(Caption("ファイル(&F)"));
    connect(file->addAction(Caption("閉じる(&X)")), &QAction::triggered, this, &QWidget::close);

    QMenu* options = menuBar_->addMenu(Caption("設定(&O)"));
    QStringList sizes;
    for (int size : kFontSizes)
        sizes << QString::number(size) + QStringLiteral("pt");
    const auto sizeIndex = std::find(kFontSizes.begin(), kFontSizes.end(), settings_.fontSize);
    AddChoices(*options, Caption("文字サイズ(&F)"), sizes,
               static_cast<int>(sizeIndex - kFontSizes.begin()), [this](int index) {
                   settings_.fontSize = kFontSizes.at(static_cast<std::size_t>(index));
                   ApplyFont();
                   LayOut();
                   Rewrap();
               });
    QStringList schemes;
    for (const ColourScheme& scheme : ColourSchemes())
        schemes << Caption(scheme.caption);
    AddChoices(*options, Caption("計算式・計算結果の背景色(&B)"), schemes, settings_.colourScheme,
               [this](int scheme) {
                   settings_.colourScheme = scheme;
                   ApplyColours();
               });
    QAction* kiokuItem = options->addAction(Caption("フォームを閉じた後も式を記憶する(&S)"));
    QAction* kakkoItem = options->addAction(Caption("関数ボタンの入力に （ を付ける(&K)"));
    for (auto [item, flag] : {std::pair{kiokuItem, &shell::FormulaWindowSettings::keepFormula},
                              {kakkoItem, &shell::FormulaWindowSettings::functionParen}}) {
        item->setCheckable(true);
        item->setChecked(settings_.*flag);
        connect(item, &QAction::toggled, this, [this, flag](bool on) {
            settings_.*flag = on;
            DrawStatus();
        });
    }

    QMenu* help = menuBar_->addMenu(Caption("ヘルプ(&H)"));
    connect(help->addAction(Caption("数式計算のヘルプ(&S)")), &QAction::triggered, this,
            &TfrmSushiki::OpenHelp);
}

void TfrmSushiki::ApplyFont() {
    const QFont font = display::FontFor("ＭＳ ゴシック", settings_.fontSize);
    for (QPlainTextEdit* area : {Msg, Ans, Calc}) {
        area->setFont(font);
        area->document()->setDocumentMargin(2);
    }
}

void TfrmSushiki::ApplyColours() {
    const ColourScheme& scheme =
        ColourSchemes().at(static_cast<std::size_t>(settings_.colourScheme));
    for (QWidget* area : {static_cast<QWidget*>(Msg), static_cast<QWidget*>(Ans)}) {
        QPalette p = area->palette();
        p.setColor(QPalette::Base, scheme.background);
        p.setColor(QPalette::Text, scheme.text);
        area->setPalette(p);
    }
    for (QFrame* frame : {MsgWaku, AnsWaku}) {
        QPalette p = frame->palette();
        p.setColor(QPalette::Window, scheme.background);
        frame->setPalette(p);
    }
}

void TfrmSushiki::ShowFamily(core::KeyFamily family) {
    family_ = family;
    const bool casio = family == core::kMakerCasio;
    btCE->setText(Caption(casio ? "C(&E)" : "CE(&E)"));
    btC->setText(Caption(casio ? "AC(&C)" : "C(&C)"));
    DrawStatus();
}

void TfrmSushiki::DrawStatus() {
    const QColor ink = ColourOf(SystemColour::kWindowText);
    const auto cell = [this, &ink](int column, std::string_view text, bool on) {
        statusGrid_.CellTextColoured(
            platform::Sjis(text), column,
            ColourOf(on ? SystemColour::kWindow : SystemColour::kButtonFace), ink, 0);
    };
    const std::string_view hints = family_ == core::kMakerCasio
                                       ? "[計算]:Ctrl+Enter [C]:Ctrl+BackSpace [AC]:Ctrl+End"
                                       : "[計算]:Ctrl+Enter [CE]:Ctrl+BackSpace [C]:Ctrl+End";
    statusGrid_.SetFont("MS UI Gothic", 9, ink);
    // The key hints' cell is 280 pixels, or wider where the font needs it.
    const int hintsWidth = QFontMetrics(display::FontFor("MS UI Gothic", 9))
                               .horizontalAdvance(display::ToQString(hints)) +
                           12;
    statusGrid_.Layout(3, 1, {100, 100, std::max(280, hintsWidth)});
    const bool keep = settings_.keepFormula;
    const bool paren = settings_.functionParen;
    cell(0, keep ? "数式を記憶:ON" : "数式を記憶:OFF", keep);
    cell(1, paren ? "関数(を付加:ON" : "関数(を付加:OFF", paren);
    cell(2, hints, false);
    Status->setPixmap(QPixmap::fromImage(statusImage_));
}

}  // namespace pemu::ui
