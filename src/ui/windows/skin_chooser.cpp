#include "ui/windows/skin_chooser.hpp"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTabBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "arithmetic/text.hpp"
#include "display/grid_image.hpp"
#include "display/status_line.hpp"
#include "display/system_colours.hpp"
#include "platform/codec.hpp"
#include "shell/settings_keys.hpp"
#include "ui/app_context.hpp"
#include "ui/desktop_open.hpp"
#include "ui/ui_text.hpp"
#include "ui/windows/package_list_view.hpp"

namespace pemu::ui {
namespace {

using platform::Sjis;
namespace keys = shell::keys;

// The maker's skin download page (its address is the maker's to give).
constexpr char kSkinDownloadPage[] = "https://pemu.invalid/skin/";
constexpr int kMinimumWidth = 460;
constexpr int kMinimumHeight = 510;
constexpr std::size_t kAppliedNameBytes = 26;
constexpr int kStatusHeight = 22;

constexpr std::array<const char*, shell::kPartCount> kTabCaptions{
    {"セット", "背景", "ボタン", "液晶パネル", "デジタル", "マーク"}};
constexpr std::array<const char*, shell::kPartCount> kPartLabels{
    {"セット", "背景", "ボタン", "液晶", "ﾃﾞｼﾞﾀﾙ", "マーク"}};
const QColor kLabelBack(0, 102, 255);
const QColor kHighlightBack(0, 0, 128);

QPushButton* Button(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(Caption(caption), parent);
    button->setObjectName(name);
    button->setAutoDefault(false);
    return button;
}

}  // namespace

TfrmSkinCh::TfrmSkinCh(AppContext& context)
    : SecondaryWindow(context, shell::WindowCode::kSkinChooser, "スキンの変更 :F6"),
      actions_(context.face(), context, context.store(), context.session().paths()) {
    setObjectName("frmSkinCh");
    BuildControls();
    BuildMenu();
    showAuthor_->setChecked(shell::Read(context.store(), keys::kDisplayAuthor));
    list_->SetShowAuthor(showAuthor_->isChecked());
    (shell::Read(context.store(), keys::kSortAsc) ? ascending_ : descending_)->setChecked(true);
    RefreshAppliedParts({});
    const char* status = context.IsChild()
                             ? "適用:Enter;クリア:BackSpace;メインナビ:Space"
                             : "適用:Enter;クリア:BackSpace;削除:Delete;メインナビ:Space";
    QImage line(1, kStatusHeight, QImage::Format_RGB32);
    display::TStatus cells(line);
    const std::string text = Sjis(status);
    cells.Layout(text);
    std::size_t start = 0;
    for (int i = 0; i < cells.CellCount(); ++i) {
        const std::size_t end = std::min(text.find(';', start), text.size());
        cells.ShowCell(i, std::string_view(text).substr(start, end - start), false);
        start = end + 1;
    }
    status_->setPixmap(QPixmap::fromImage(line));
    setMinimumSize(kMinimumWidth, kMinimumHeight);
    resize(kMinimumWidth, kMinimumHeight);
}

TfrmSkinCh::~TfrmSkinCh() = default;

void TfrmSkinCh::BuildControls() {
    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(4, 4, 4, 2);
    auto* modes = new QHBoxLayout;
    standard_ = new QRadioButton(Caption("標準のスキンを使用する(&H)"), this);
    custom_ = new QRadioButton(Caption("カスタムスキンを使用する(&K)"), this);
    standard_->setObjectName("StandardSkin");
    custom_->setObjectName("CustomSkin");
    // Two separate choices: each pair is its own group.
    auto* modeGroup = new QButtonGroup(this);
    modeGroup->addButton(standard_);
    modeGroup->addButton(custom_);
    modes->addWidget(standard_);
    modes->addWidget(custom_);
    modes->addStretch();
    root->addLayout(modes);

    tabs_ = new QTabBar(this);
    tabs_->setObjectName("SkinTabs");
    tabs_->setFocusPolicy(Qt::NoFocus);
    for (const char* caption : kTabCaptions)
        tabs_->addTab(Caption(caption));
    root->addWidget(tabs_);

    auto* middle = new QHBoxLayout;
    list_ = new PackageListView(this);
    middle->addWidget(list_, 1);
    auto* side = new QVBoxLayout;
    preview_ = new QLabel(this);
    preview_->setObjectName("Preview");
    preview_->setFixedSize(display::kPreviewWidth, display::kPreviewHeight);
    side->addWidget(preview_);
    ascending_ = new QRadioButton(Caption("昇順(&A)"), this);
    descending_ = new QRadioButton(Caption("降順(&D)"), this);
    auto* sortGroup = new QButtonGroup(this);
    sortGroup->addButton(ascending_);
    sortGroup->addButton(descending_);
    showAuthor_ = new QCheckBox(Caption("作者名を表示(&S)"), this);
    for (QWidget* w : std::initializer_list<QWidget*>{ascending_, descending_, showAuthor_})
        side->addWidget(w);
    side->addStretch();
    middle->addLayout(side);
    root->addLayout(middle, 1);

    applied_ = new QLabel(this);
    applied_->setObjectName("AppliedParts");
    root->addWidget(applied_);
    root->addWidget(BuildButtons());
    status_ = new QLabel(this);
    root->addWidget(status_);

    connect(tabs_, &QTabBar::currentChanged, this, [this] { RefreshList(); });
    connect(ascending_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RefreshList();
    });
    connect(descending_, &QRadioButton::toggled, this, [this](bool on) {
        if (on) RefreshList();
    });
    connect(showAuthor_, &QCheckBox::toggled, list_, &PackageListView::SetShowAuthor);
    connect(standard_, &QRadioButton::clicked, this, [this] { SetSkinMode(false); });
    connect(custom_, &QRadioButton::clicked, this, [this] { SetSkinMode(true); });
    connect(list_, &PackageListView::currentChanged, this, [this] { RefreshSelection(); });
    connect(list_, &PackageListView::activated, this, [this] { ApplySelected(); });
    connect(list_, &PackageListView::contextMenuRequested, this,
            [this](QPoint at) { popup_->popup(at); });
}

QWidget* TfrmSkinCh::BuildButtons() {
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    // Six equal buttons fit the narrowest window with their captions whole.
    row->setFont(display::FontFor("ＭＳ Ｐゴシック", 0, 11));
    row->setStyleSheet("QPushButton { padding: 3px 1px; }");
    apply_ = Button(row, "Apply", "適用(&T)");
    clear_ = Button(row, "Clear", "クリア(&C)");
    allClear_ = Button(row, "AllClear", "オールクリア(&L)");
    saveSet_ = Button(row, "SaveSet", "セット保存(&Z)");
    rename_ = Button(row, "Rename", "名前の変更(&N)");
    QPushButton* close = Button(row, "Close", "閉じる (&X)");
    for (QPushButton* b : {apply_, clear_, allClear_, saveSet_, rename_, close})
        layout->addWidget(b, 1);
    rename_->setEnabled(!context().IsChild());
    connect(apply_, &QPushButton::clicked, this, &TfrmSkinCh::ApplySelected);
    connect(clear_, &QPushButton::clicked, this, &TfrmSkinCh::ClearTab);
    connect(allClear_, &QPushButton::clicked, this, &TfrmSkinCh::AllClear);
    connect(saveSet_, &QPushButton::clicked, this, &TfrmSkinCh::SaveSet);
    connect(rename_, &QPushButton::clicked, this, &TfrmSkinCh::RenameSelected);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    return row;
}

void TfrmSkinCh::BuildMenu() {
    auto* bar = new QMenuBar(this);
    layout()->setMenuBar(bar);
    QMenu* file = bar->addMenu(Caption("ファイル(&F)"));
    file->addAction(Caption("カスタムスキンのフォルダを開く　(&G)"), this, [this] {
        OpenWithDesktop(this, QUrl::fromLocalFile(QString::fromStdString(actions_.PackageFolder())),
                        "フォルダを開けませんでした。");
    });
    file->addAction(Caption("カスタムスキンをウェブサイトから入手  (&P)"), this, [this] {
        OpenWithDesktop(this, QUrl(kSkinDownloadPage), "ウェブページを開けませんでした。");
    });
    file->addAction(Caption("旧バージョンのスキンを削除 (&D)"), this, &TfrmSkinCh::RemoveOldSkins);
    file->addSeparator();
    file->addAction(Caption("閉じる(&X)"), this, &QWidget::close);

    popup_ = new QMenu(this);
    popup_->addAction(Caption("適用(&T)"), this, &TfrmSkinCh::ApplySelected);
    popup_->addAction(Caption("クリア(&C)"), this, &TfrmSkinCh::ClearTab);
    popupRename_ = popup_->addAction(Caption("名前の変更(&N)"), this, &TfrmSkinCh::RenameSelected);
    popupRename_->setEnabled(!context().IsChild());
}

void TfrmSkinCh::showEvent(QShowEvent* event) {
    SecondaryWindow::showEvent(event);
    if (firstShown_) return;
    firstShown_ = true;
    RefreshList();
    const bool custom = actions_.UsesCustomSkin();
    (custom ? custom_ : standard_)->setChecked(true);
    SetSkinMode(custom);
    list_->setFocus();
    // Asked once the window stands.
    QTimer::singleShot(0, this, &TfrmSkinCh::ConvertOldCombinations);
}

int TfrmSkinCh::Tab() const {
    return tabs_->currentIndex();
}

void TfrmSkinCh::SetTab(int tab) {
    if (tab >= 0 && tab < shell::kPartCount && tabs_->isEnabled()) tabs_->setCurrentIndex(tab);
}

void TfrmSkinCh::RefreshList() {
    list_->SetEntries(
        shell::ListPackages(actions_.PackageFolder(), Tab(), ascending_->isChecked()));
}

void TfrmSkinCh::RefreshSelection() {
    const shell::PackageEntry* entry = list_->CurrentEntry();
    const bool custom = custom_->isChecked();
    std::array<bool, shell::kPartCount> parts{};
    if (entry && custom) parts = actions_.PartsIn(entry->folder);
    RefreshAppliedParts(parts);
    QImage picture(display::kPreviewWidth, display::kPreviewHeight, QImage::Format_RGB32);
    picture.fill(display::ColourOf(display::SystemColour::kButtonFace));
    if (entry) {
        const QImage shown = actions_.Preview(entry->folder);
        if (!shown.isNull()) picture = shown;
    }
    preview_->setPixmap(QPixmap::fromImage(picture));
    preview_->setVisible(custom);
}

void TfrmSkinCh::RefreshAppliedParts(const std::array<bool, shell::kPartCount>& highlights) {
    QImage image(1, 1, QImage::Format_RGB32);
    display::TStatusGrid grid(image);
    grid.Layout(4, 3, {56, 170, 56, 170});
    const auto names = actions_.RecordedNames();
    const QColor white(255, 255, 255);
    const QColor text = display::ColourOf(display::SystemColour::kWindowText);
    for (int part = 0; part < shell::kPartCount; ++part) {
        const int column = part < 3 ? 0 : 2;
        const int row = part % 3;
        const auto index = static_cast<std::size_t>(part);
        grid.CellTextColoured(Sjis(kPartLabels[index]), column, kLabelBack, white, row);
        const std::string name = arith::CutWholeChars(names[index], kAppliedNameBytes);
        if (highlights[index])
            grid.CellTextColoured(name, column + 1, kHighlightBack, white, row);
        else
            grid.CellTextColoured(name, column + 1,
                                  display::ColourOf(display::SystemColour::kWindow), text, row);
    }
    applied_->setPixmap(QPixmap::fromImage(image));
}

void TfrmSkinCh::SetSkinMode(bool custom) {
    if (custom != actions_.UsesCustomSkin()) {
        if (custom)
            actions_.UseCustomSkin();
        else
            actions_.UseStandardSkin();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{tabs_, ascending_, descending_, apply_,
                                                      clear_, allClear_, saveSet_})
        w->setEnabled(custom);
    rename_->setEnabled(custom && !context().IsChild());
    list_->setEnabled(custom);
    list_->SetGreyed(!custom);
    if (custom) list_->setFocus();
    RefreshSelection();
}

void TfrmSkinCh::ApplySelected() {
    const shell::PackageEntry* entry = list_->CurrentEntry();
    if (!entry || !custom_->isChecked()) return;
    actions_.Apply(entry->folder);
    RefreshSelection();
}

void TfrmSkinCh::ClearTab() {
    if (!custom_->isChecked()) return;
    actions_.Clear(Tab());
    RefreshSelection();
}

void TfrmSkinCh::AllClear() {
    if (!custom_->isChecked()) return;
    actions_.AllClear();
    RefreshSelection();
}

void TfrmSkinCh::DeleteSelected() {
    const shell::PackageEntry* entry = list_->CurrentEntry();
    if (!entry || context().IsChild() || !custom_->isChecked()) return;
    // One key removes a whole package: asked first.
    const QString question = FromCp932(Sjis("「") + entry->shown.name + Sjis("」を削除しますか？"));
    if (!AskYesNo("Pemu", question)) return;
    actions_.Delete(entry->folder);
    RefreshList();
}

bool TfrmSkinCh::AskYesNo(const QString& title, const QString& text) {
    return QMessageBox::question(this, title, text, QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

void TfrmSkinCh::ToggleKeyNavigation() {
    // The main window's own item: its check is the setting.
    if (auto* item = context().mainWindow().findChild<QAction*>("KeyNavigation")) item->trigger();
}

bool TfrmSkinCh::WindowKeyDown(int virtualKey, KeyModifiers modifiers) {
    if (modifiers.ctrl || modifiers.alt || modifiers.shift) return false;
    if (virtualKey == vk::kSpace) {
        ToggleKeyNavigation();
        return true;
    }
    if (focusWidget() != list_) return false;
    switch (virtualKey) {
        case vk::kLeft:
            SetTab(Tab() - 1);
            return true;
        case vk::kRight:
            SetTab(Tab() + 1);
            return true;
        case vk::kBack:
            ClearTab();
            return true;
        case vk::kReturn:
            ApplySelected();
            return true;
        case vk::kDelete:
            DeleteSelected();
            return true;
        default:
            return false;
    }
}

void TfrmSkinCh::WriteSettings() {
    shell::SettingsStore& store = context().store();
    shell::Write(store, keys::kSkinChClientHeight, height());
    shell::Write(store, keys::kSkinChClientWidth, width());
    shell::Write(store, keys::kSkinChTop, y());
    shell::Write(store, keys::kSkinChLeft, x());
    shell::Write(store, keys::kCustumSkinType, actions_.UsesCustomSkin() ? 1 : 0);
    shell::Write(store, keys::kDisplayAuthor, showAuthor_->isChecked());
    shell::Write(store, keys::kSortAsc, ascending_->isChecked());
}

}  // namespace pemu::ui
