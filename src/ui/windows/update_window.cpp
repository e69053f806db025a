#include "ui/windows/update_window.hpp"

#include <QCheckBox>
#include <QCloseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>

#include "display/system_colours.hpp"
#include "http/http_client.hpp"
#include "platform/codec.hpp"
#include "ui/app_context.hpp"
#include "ui/ui_text.hpp"
#include "ui/windows/image_view.hpp"
#include "ui/windows/update_check.hpp"
#include "update/update_steps.hpp"

namespace pemu::ui {
namespace {

using display::ColourOf;
using display::SystemColour;
using platform::Sjis;

constexpr int kClientWidth = 420;
constexpr int kClientHeight = 262;
constexpr int kMargin = 10;
constexpr const char* kRowLabels[] = {"URL：", "ｻｲｽﾞ：", "状態：", "接続："};
constexpr const char* kRunsCaptions[] = {"確認(&K)", "ダウンロード", "アップデート"};

}  // namespace

TfrmUpdate::TfrmUpdate(AppContext& context)
    : SecondaryWindow(context, shell::WindowCode::kUpdate, "バージョンアップの確認") {
    setObjectName("frmUpdate");
    BuildControls();
    ShowMessage(update::IntroText());
    SetStage(update::kStageCheck);
}

TfrmUpdate::~TfrmUpdate() {
    StopWorker(update::kAbortClosed);
}

void TfrmUpdate::BuildControls() {
    setFixedSize(kClientWidth, kClientHeight);
    const int width = kClientWidth - 2 * kMargin;
    messageView_ = new ImageView(this, width, 56, ColourOf(SystemColour::kWindow));
    messageView_->move(kMargin, kMargin);
    messageImage_ = std::make_unique<display::TMsgImg>(messageView_->image(),
                                                       [this] { messageView_->Present(); });

    gridView_ = new ImageView(this, width, 80, ColourOf(SystemColour::kWindow));
    gridView_->move(kMargin, 74);
    grid_ = std::make_unique<display::TStatusGrid>(gridView_->image());
    grid_->Layout(2, 4, {64, width - 65});
    for (int row = 0; row < 4; ++row)
        grid_->CellTextColoured(Sjis(kRowLabels[row]), 0, ColourOf(SystemColour::kButtonFace),
                                ColourOf(SystemColour::kWindowText), row);
    gridView_->Present();

    const int below = 74 + gridView_->height() + 8;
    progress_ = new QProgressBar(this);
    progress_->setObjectName("ProgressBar");
    progress_->setGeometry(kMargin, below, width, 16);
    progress_->setRange(0, 100);
    progress_->hide();

    AutoCheck_ = new QCheckBox(Caption("起動時にバージョンアップの確認を行う"), this);
    AutoCheck_->setObjectName("AutoCheck");
    AutoCheck_->setGeometry(kMargin, below + 22, width, 22);
    AutoCheck_->setChecked(context().updateCheck().autoUpdate());
    connect(AutoCheck_, &QCheckBox::toggled, this,
            [this](bool on) { context().updateCheck().SetAutoUpdate(on); });

    Runs_ = new QPushButton(this);
    Runs_->setObjectName("Runs");
    CloseRun_ = new QPushButton(Caption("キャンセル(&X)"), this);
    CloseRun_->setObjectName("CloseRun");
    const int top = kClientHeight - kMargin - 28;
    Runs_->setGeometry(kClientWidth - kMargin - 2 * 112 - 8, top, 112, 28);
    CloseRun_->setGeometry(kClientWidth - kMargin - 112, top, 112, 28);
    for (QPushButton* button : {Runs_, CloseRun_})
        button->setAutoDefault(true);  // Enter presses the button that has the focus
    connect(Runs_, &QPushButton::clicked, this, &TfrmUpdate::OnRuns);
    connect(CloseRun_, &QPushButton::clicked, this, &QWidget::close);
    Runs_->setFocus();
}

void TfrmUpdate::SetStage(int stage) {
    stage_ = stage;
    Runs_->setText(Caption(kRunsCaptions[stage - 1]));
}

void TfrmUpdate::ShowMessage(const std::string& cp932) {
    message_ = cp932;
    messageImage_->ShowText(cp932);
}

void TfrmUpdate::SetCell(Row row, const std::string& cp932) {
    cells_[row] = cp932;
    grid_->CellText(cp932, 1, row);
    gridView_->update();
}

void TfrmUpdate::OnRuns() {
    switch (stage_) {
        case update::kStageCheck:
            Check();
            break;
        case update::kStageDownload:
            StartDownload();
            break;
        case update::kStageUpdate:
            Launch();
            break;
        default:
            break;
    }
}

void TfrmUpdate::Check() {
    const std::string endpoint = context().updateCheck().VersionEndpoint();
    Runs_->setEnabled(false);
    SetCell(kUrlRow, update::CheckCellsOf(endpoint, false).address);
    SetCell(kStatusRow, Sjis("接続中..."));
    SetCell(kConnectionRow, "ON");
    repaint();
    const std::unique_ptr<update::HttpGetter> http = http::NewVersionGetter();
    const update::FetchOutcome outcome = update::FetchVersion(*http, endpoint);
    Runs_->setEnabled(true);
    SetCell(kStatusRow, update::CheckCellsOf(endpoint, outcome.failed()).status);
    SetCell(kConnectionRow, "OFF");
    const update::StageReport report = update::AfterCheck(UpdateCheck::OwnVersion(), outcome);
    if (report.stage == update::kStageDownload) record_ = outcome.record;
    ShowMessage(report.message);
    SetStage(report.stage);
    Runs_->setFocus();
}

void TfrmUpdate::SetBusy(bool busy) {
    busy_ = busy;
    progress_->setVisible(busy);
    Runs_->setEnabled(!busy);
    CloseRun_->setEnabled(!busy);
}

void TfrmUpdate::StartDownload() {
    if (busy_) return;  // one download at a time
    const shell::NamedPaths& paths = context().session().paths();
    const std::string address = update::DownloadAddress(record_);
    target_ = update::DownloadTargetIn(paths.PathOf(shell::PathKind::kFilesFolder));
    SetBusy(true);
    progress_->setValue(0);
    ShowMessage(update::ConnectingText());
    SetCell(kUrlRow, update::AddressCell(address));
    SetCell(kSizeRow, "");
    SetCell(kStatusRow, Sjis("接続中..."));
    SetCell(kConnectionRow, "ON");
    progressText_ = std::make_unique<update::DownloadProgress>("1/1");
    abort_ = update::kAbortNone;
    if (!update::ClearDownloadTarget(target_)) {
        OnDownloadEnded(update::kDownloadWrongLength);  // the target cannot be created
        return;
    }
    auto transport = http::NewDownloadTransport();
    worker_ = std::thread([this, transport = std::move(transport), address] {
        const int code = update::Download(
            *transport, target_, address, abort_,
            [this](std::int64_t received, std::int64_t length) {
                QMetaObject::invokeMethod(
                    this, [this, received, length] { OnProgress(received, length); },
                    Qt::QueuedConnection);
            });
        QMetaObject::invokeMethod(
            this, [this, code] { OnDownloadEnded(code); }, Qt::QueuedConnection);
    });
}

void TfrmUpdate::OnProgress(std::int64_t received, std::int64_t length) {
    if (!busy_ || abort_.load() > update::kAbortNone || !progressText_) return;
    const update::DownloadProgress::Report report = progressText_->Next(received, length);
    if (report.sizeCell) SetCell(kSizeRow, *report.sizeCell);
    progress_->setValue(report.percent);
}

void TfrmUpdate::OnDownloadEnded(int code) {
    if (worker_.joinable()) worker_.join();
    if (!busy_) return;  // the window closed meanwhile and cleaned up
    const update::DownloadReport report = update::AfterDownload(
        code, target_, context().session().paths().PathOf(shell::PathKind::kUpdaterFile));
    ShowMessage(report.message);
    SetCell(kStatusRow, report.status);
    SetCell(kConnectionRow, "OFF");
    SetBusy(false);
    SetStage(report.stage);
    Runs_->setFocus();
}

void TfrmUpdate::StopWorker(int reason) {
    if (!worker_.joinable()) return;
    abort_ = reason;
    worker_.join();
    update::ClearDownloadTarget(target_);
    busy_ = false;
}

void TfrmUpdate::Launch() {
    UpdateCheck& check = context().updateCheck();
    close();
    // Started once this window is gone: the end of the program closes every window.
    QTimer::singleShot(0, &context().mainWindow(), [&check] { check.LaunchUpdater(); });
}

bool TfrmUpdate::WindowKeyDown(int virtualKey, KeyModifiers modifiers) {
    if (virtualKey == vk::kEscape && busy_ && !modifiers.ctrl && !modifiers.alt) {
        abort_ = update::kAbortEscape;
        return true;
    }
    return false;
}

void TfrmUpdate::closeEvent(QCloseEvent* event) {
    if (busy_) {
        // The window's Close command is off while downloading; only the program's own
        // close (the main window ending, F8) stops the download.
        if (event->spontaneous()) {
            event->ignore();
            return;
        }
        StopWorker(update::kAbortClosed);
    }
    SecondaryWindow::closeEvent(event);
}

}  // namespace pemu::ui
