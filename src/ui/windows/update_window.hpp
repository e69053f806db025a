#pragma once
// TfrmUpdate, "バージョンアップの確認": asks the update server for a newer version (stage 1),
// downloads the update program (stage 2) and starts it (stage 3). The download runs on a
// worker thread that reports each block back, so the window keeps repainting and Esc stops
// it at once; the decisions and the file handling live in update/.
#include <QImage>
#include <memory>
#include <string>
#include <thread>

#include "display/grid_image.hpp"
#include "display/message_image.hpp"
#include "ui/windows/secondary_window.hpp"
#include "update/download.hpp"
#include "update/version_record.hpp"

class QCheckBox;
class QProgressBar;
class QPushButton;

namespace pemu::ui {

class ImageView;

class TfrmUpdate : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit TfrmUpdate(AppContext& context);
    ~TfrmUpdate() override;

    // Rows of the grid.
    enum Row { kUrlRow = 0, kSizeRow = 1, kStatusRow = 2, kConnectionRow = 3 };

    // What the window shows, for tests: the message area's text and a grid value (CP932).
    const std::string& Message() const { return message_; }
    const std::string& Cell(Row row) const { return cells_[row]; }
    int Stage() const { return stage_; }
    bool Downloading() const { return busy_; }
    QPushButton* Runs() const { return Runs_; }
    QProgressBar* Progress() const { return progress_; }
    QCheckBox* AutoCheck() const { return AutoCheck_; }

    bool KeepsKeyboardWhenOpened() const override { return true; }

  protected:
    bool WindowKeyDown(int virtualKey, KeyModifiers modifiers) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void BuildControls();
    void OnRuns();
    void Check();
    void StartDownload();
    void Launch();
    void OnProgress(std::int64_t received, std::int64_t length);
    void OnDownloadEnded(int code);
    // Waits for the worker after the abort flag was set; leaves no file behind.
    void StopWorker(int reason);
    void SetStage(int stage);
    void ShowMessage(const std::string& cp932);
    void SetCell(Row row, const std::string& cp932);
    void SetBusy(bool busy);

    ImageView* messageView_ = nullptr;
    ImageView* gridView_ = nullptr;
    std::unique_ptr<display::TMsgImg> messageImage_;
    std::unique_ptr<display::TStatusGrid> grid_;
    QProgressBar* progress_ = nullptr;
    QCheckBox* AutoCheck_ = nullptr;
    QPushButton* Runs_ = nullptr;
    QPushButton* CloseRun_ = nullptr;

    int stage_ = 1;
    update::VersionRecord record_;  // of the last check that found a newer version
    std::string message_;
    std::string cells_[4];

    bool busy_ = false;
    update::AbortFlag abort_{update::kAbortNone};
    std::string target_;
    std::unique_ptr<update::DownloadProgress> progressText_;
    std::thread worker_;
};

}  // namespace pemu::ui
