// What the download shows and what becomes of the downloaded file.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <fstream>

#include "platform/codec.hpp"
#include "update/download.hpp"
#include "update/update_steps.hpp"

namespace pemu::update {
namespace {

namespace fs = std::filesystem;
using platform::Sjis;

TEST(DownloadProgress, TheSizeCellEveryHundredBlocksAndAtTheLastOne) {
    DownloadProgress progress("1/1");
    const std::int64_t length = 250 * 1024 + 10;
    std::vector<int> shownAt;
    std::string last;
    int percent = -1;
    for (int block = 1; block <= 251; ++block) {
        const DownloadProgress::Report r = progress.Next(block * 1024, length);
        if (r.sizeCell) {
            shownAt.push_back(block);
            last = *r.sizeCell;
        }
        EXPECT_GE(r.percent, percent) << block;
        percent = r.percent;
    }
    EXPECT_EQ(shownAt, (std::vector<int>{100, 200, 251}));
    EXPECT_EQ(last, "  256.0 |  256.0 KB  Step:1/1") << "the last block is clamped to the length";
    EXPECT_EQ(percent, 100);
    DownloadProgress midway("1/1");
    for (int block = 1; block < 100; ++block)
        midway.Next(block * 1024, length);
    EXPECT_EQ(*midway.Next(100 * 1024, length).sizeCell, "  102.4 |  256.0 KB  Step:1/1");
    EXPECT_EQ(midway.Next(101 * 1024, length).percent, 40) << "101 x 1024 / 256010, truncated";
}

TEST(DownloadProgress, ASmallFileShowsItsSizeAtOnce) {
    DownloadProgress progress("1/1");
    const DownloadProgress::Report r = progress.Next(1024, 700);
    ASSERT_TRUE(r.sizeCell);
    EXPECT_EQ(*r.sizeCell, "    0.7 |    0.7 KB  Step:1/1");
    EXPECT_EQ(r.percent, 100);
    EXPECT_EQ(DownloadProgress("1/1").Next(1024, 0).percent, 100) << "no division by zero";
}

TEST(CheckCells, AFailedCheckShowsTheAddressItTried) {
    const std::string endpoint = "http://127.0.0.1:9/pemu/AppVer.php";
    EXPECT_EQ(CheckCellsOf(endpoint, true).address, endpoint) << "whole, not cut to the host";
    EXPECT_EQ(CheckCellsOf(endpoint, true).status, platform::Sjis("接続の失敗"));
    EXPECT_EQ(CheckCellsOf(endpoint, false).status, "");
    EXPECT_EQ(CheckCellsOf("http://" + std::string(300, 'h'), true).address.size(), 280u);
}

TEST(DownloadText, AddressCellAndStatusTexts) {
    EXPECT_EQ(AddressCell("http://example.com/pemu/Update.exe"), "http://example.com/");
    EXPECT_EQ(AddressCell("http://example.com"), "http://example.com");
    EXPECT_EQ(AddressCell("http://" + std::string(300, 'h')), "http://" + std::string(273, 'h'));
    const std::pair<int, const char*> texts[] = {
        {0, "正常終了"},         {1, "接続の中断"},         {3, "接続の失敗"},
        {4, "接続の失敗"},       {5, "ファイル取得失敗"},   {6, "ファイル取得失敗"},
        {7, "ファイル取得失敗"}, {8, "ダウンロードに失敗"},
    };
    for (const auto& [code, text] : texts)
        EXPECT_EQ(DownloadStatusText(code), Sjis(text)) << code;
    EXPECT_EQ(DownloadStatusText(2), "");
}

class DownloadFiles : public ::testing::Test {
  protected:
    void SetUp() override {
        folder_ = fs::temp_directory_path() /
                  ("pemu-update-" +
                   std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(folder_);
        fs::create_directories(folder_);
        files_ = folder_.string() + "/";
        target_ = DownloadTargetIn(files_);
        updater_ = files_ + "Update.exe";
    }
    void TearDown() override { fs::remove_all(folder_); }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path folder_;
    std::string files_, target_, updater_;
};

TEST_F(DownloadFiles, ACompleteDownloadReplacesTheUpdaterAndMayRun) {
    EXPECT_EQ(fs::path(target_).parent_path(), folder_) << "the download stays in the folder";
    Write(updater_, "old");
    Write(target_, "#!/bin/sh\n");
    const DownloadReport report = AfterDownload(kDownloadComplete, target_, updater_);
    EXPECT_EQ(report.stage, kStageUpdate);
    EXPECT_EQ(report.status, Sjis("正常終了"));
    EXPECT_EQ(report.message,
              Sjis("ダウンロードに成功しました。\r\n[アップデート] ボタンを押してください。"));
    EXPECT_EQ(Read(updater_), "#!/bin/sh\n");
    EXPECT_FALSE(fs::exists(target_));
    struct stat info {};
    ASSERT_EQ(::stat(updater_.c_str(), &info), 0);
    EXPECT_NE(info.st_mode & S_IXUSR, 0u);
}

TEST_F(DownloadFiles, AFailedDownloadLeavesNothingAndStaysAtStageTwo) {
    for (const int code : {kDownloadStopped, kDownloadBadStatus, kDownloadWrongLength}) {
        Write(target_, "part");
        const DownloadReport report = AfterDownload(code, target_, updater_);
        EXPECT_EQ(report.stage, kStageDownload) << code;
        EXPECT_EQ(report.message, Sjis("ダウンロードに失敗しました。")) << code;
        EXPECT_EQ(report.status, DownloadStatusText(code));
        EXPECT_FALSE(fs::exists(target_)) << code;
        EXPECT_FALSE(fs::exists(updater_)) << code;
    }
    // The updater's place taken by a folder: the download cannot be put there.
    fs::create_directories(updater_);
    Write(target_, "whole");
    const DownloadReport blocked = AfterDownload(kDownloadComplete, target_, updater_);
    EXPECT_EQ(blocked.stage, kStageDownload);
    EXPECT_EQ(blocked.status, Sjis("ダウンロードに失敗"));
    EXPECT_FALSE(fs::exists(target_));
}

TEST_F(DownloadFiles, ALeftoverIsClearedButAFolderOrALinkTargetIsNeverTouched) {
    Write(target_, "left by a crash");
    EXPECT_TRUE(ClearDownloadTarget(target_));
    EXPECT_FALSE(fs::exists(target_));
    const std::string outside = (folder_ / "keep.txt").string();
    Write(outside, "mine");
    fs::create_symlink(outside, target_);
    EXPECT_TRUE(ClearDownloadTarget(target_));
    EXPECT_EQ(Read(outside), "mine") << "the link goes, not what it points to";
    fs::create_directories(target_);
    EXPECT_FALSE(ClearDownloadTarget(target_));
    EXPECT_TRUE(fs::is_directory(target_));
}

}  // namespace
}  // namespace pemu::update
