// The update check over this system's HTTP client (libcurl, or WinINet on Windows) against a
// real HTTP server on the loopback address.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

#include "http/http_client.hpp"
#include "loopback_server.hpp"
#include "update/download.hpp"
#include "update/update_steps.hpp"
#include "update/version_fetch.hpp"

namespace pemu::update {
namespace {

namespace fs = std::filesystem;
using testing_support::ClosedPortUrl;
using testing_support::LoopbackServer;

class UpdateOverHttp : public ::testing::Test {
  protected:
    void SetUp() override {
        root_ = fs::temp_directory_path() /
                ("pemu-http-" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(root_);
        fs::create_directories(root_ / "data");
        server_ = std::make_unique<LoopbackServer>(root_ / "server");
        ASSERT_TRUE(server_->Running()) << "python3 did not start the loopback server";
        target_ = DownloadTargetIn((root_ / "data").string() + "/");
    }
    void TearDown() override {
        server_.reset();
        fs::remove_all(root_);
    }

    FetchOutcome Fetch(const std::string& path = "/pemu/AppVer.php") {
        return FetchVersion(*http::NewVersionGetter(), server_->Url(path));
    }
    // Downloads /files/NAME into the target; `abortAfter` blocks, when given, sets the flag
    // from another thread as the user would.
    int DownloadFile(const std::string& name, int abortAfter = 0, int abortWith = kAbortEscape) {
        return DownloadFrom("/files/" + name, abortAfter, abortWith);
    }
    int DownloadFrom(const std::string& path, int abortAfter = 0, int abortWith = kAbortEscape) {
        const auto transport = http::NewDownloadTransport();
        AbortFlag abort{kAbortNone};
        int blocks = 0;
        std::thread user;
        const int code = Download(*transport, target_, server_->Url(path), abort,
                                  [&](std::int64_t, std::int64_t) {
                                      if (abortAfter > 0 && ++blocks == abortAfter)
                                          user = std::thread([&] { abort = abortWith; });
                                  });
        if (user.joinable()) user.join();
        return code;
    }
    static std::string Read(const fs::path& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path root_;
    std::unique_ptr<LoopbackServer> server_;
    std::string target_;
};

TEST_F(UpdateOverHttp, NewerEqualAndMalformedRecords) {
    server_->SetRecord("\r\n<html><body>\r\n[PemuAppVer][Ver]3.70.00[Url]" +
                       server_->Url("/files/") +
                       "[Fil]Update.sh[Siz]2048[Last][End]\r\n</body></html>");
    FetchOutcome outcome = Fetch();
    EXPECT_EQ(outcome.version, "3.70.00");
    EXPECT_EQ(outcome.record.fileName, "Update.sh");
    EXPECT_EQ(DecideCheck("3.69.03", outcome), CheckResult::kNewer);
    EXPECT_EQ(DownloadAddress(outcome.record), server_->Url("/files/Update.sh"));

    server_->SetRecordFor("3.69.03", "Update.sh");
    EXPECT_EQ(DecideCheck("3.69.03", Fetch()), CheckResult::kCurrent);

    for (const char* malformed :
         {"[PemuAppVer][Ver]3.70.00[Url]x[Fil]y[Siz]", "Service Unavailable",
          "[PemuAppVer][Url]x[Fil]y[Siz][Last][End]"}) {
        server_->SetRecord(malformed);
        outcome = Fetch();
        EXPECT_TRUE(outcome.failed()) << malformed;
        EXPECT_EQ(DecideCheck("3.69.03", outcome), CheckResult::kFailed) << malformed;
    }
    // An error status is a failed request whatever its body says.
    server_->SetRecordFor("3.70.00", "Update.sh");
    server_->SetRecord("[PemuAppVer][Ver]3.70.00[Url]u/[Fil]f[Siz][Last][End]", 500);
    EXPECT_TRUE(Fetch().failed());
    EXPECT_TRUE(
        FetchVersion(*http::NewVersionGetter(), ClosedPortUrl("/pemu/AppVer.php")).failed());
}

TEST_F(UpdateOverHttp, TheServerSeesTheRequestHeaders) {
    server_->SetRecordFor("3.70.00", "Update.sh");
    Fetch();
    server_->AddFile("Update.sh", "#!/bin/sh\n");
    EXPECT_EQ(DownloadFile("Update.sh"), kDownloadComplete);
    const std::string log = server_->RequestLog();
    const std::size_t download = log.find("GET /files/Update.sh");
    ASSERT_NE(download, std::string::npos) << log;
    const std::string version = log.substr(0, download);
    const std::string file = log.substr(download);
    EXPECT_NE(version.find("GET /pemu/AppVer.php HTTP/1.1\r\n"), std::string::npos) << log;
    EXPECT_NE(version.find("\r\nAccept: text/html, */*\r\n"), std::string::npos) << log;
    EXPECT_NE(version.find("\r\nUser-Agent: Mozilla/3.0 (compatible; Indy Library)\r\n"),
              std::string::npos)
        << log;
    EXPECT_NE(file.find("\r\nUser-Agent: MyApp\r\n"), std::string::npos) << log;
    EXPECT_NE(file.find("\r\nCache-Control: no-cache\r\n"), std::string::npos) << log;
    EXPECT_NE(file.find("\r\nPragma: no-cache\r\n"), std::string::npos) << log;
}

TEST_F(UpdateOverHttp, ADownloadThatSucceedsBecomesTheUpdater) {
    std::string program = "#!/bin/sh\necho updated\n";
    program += std::string(300 * 1024, '#') + "\n";  // several hundred blocks
    server_->AddFile("Update.sh", program);
    std::vector<std::int64_t> reports;
    const auto transport = http::NewDownloadTransport();
    AbortFlag abort{kAbortNone};
    const int code = Download(*transport, target_, server_->Url("/files/Update.sh"), abort,
                              [&](std::int64_t received, std::int64_t length) {
                                  EXPECT_EQ(length, static_cast<std::int64_t>(program.size()));
                                  reports.push_back(received);
                              });
    ASSERT_EQ(code, kDownloadComplete);
    EXPECT_EQ(reports.size(), (program.size() + 1023) / 1024);
    EXPECT_EQ(reports.front(), 1024);
    EXPECT_EQ(Read(target_), program);
    const std::string updater = (root_ / "data/Update.exe").string();
    EXPECT_EQ(AfterDownload(code, target_, updater).stage, kStageUpdate);
    EXPECT_EQ(Read(updater), program);
}

TEST_F(UpdateOverHttp, FailuresLeaveNoFileBehind) {
    server_->AddFile("short.bin", std::string(5000, 's'));
    server_->AddFile("nolength.bin", std::string(3000, 'n'));
    struct Case {
        const char* name;
        int code;
    };
    const Case cases[] = {
        {"missing.bin", kDownloadBadStatus},  // 404
        {"short.bin", kDownloadWrongLength},  // the connection ends 500 bytes early
        {"nolength.bin", kDownloadNoLength},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DownloadFile(c.name), c.code) << c.name;
        EXPECT_FALSE(fs::exists(target_)) << c.name;
    }
    const auto transport = http::NewDownloadTransport();
    AbortFlag abort{kAbortNone};
    EXPECT_EQ(Download(*transport, target_, ClosedPortUrl("/files/x"), abort, {}),
              kDownloadOpenFailed);
    EXPECT_FALSE(fs::exists(target_));
}

TEST_F(UpdateOverHttp, AnAbortStopsTheDownloadAndRemovesThePartialFile) {
    for (const int reason : {kAbortEscape, kAbortClosed}) {
        EXPECT_EQ(DownloadFile("slow.bin", 20, reason), kDownloadStopped);
        EXPECT_FALSE(fs::exists(target_));
    }
}

TEST_F(UpdateOverHttp, AnAbortEndsTheWaitForAServerThatSaysNothing) {
    // The connection is taken and never answered: only the abort flag ends the wait.
    testing_support::SilentServer silent;
    const auto transport = http::NewDownloadTransport();
    AbortFlag abort{kAbortNone};
    std::thread user([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        abort = kAbortClosed;
    });
    EXPECT_EQ(Download(*transport, target_, silent.Url("/files/x"), abort, {}), kDownloadStopped);
    user.join();
    EXPECT_FALSE(fs::exists(target_));
}

TEST_F(UpdateOverHttp, ATargetThatCannotBeCreatedFailsAndIsLeftAlone) {
    server_->AddFile("Update.sh", "#!/bin/sh\n");
    fs::create_directories(target_);
    EXPECT_EQ(DownloadFile("Update.sh"), kDownloadWrongLength);
    EXPECT_TRUE(fs::is_directory(target_));
    fs::remove(target_);
    // An existing file is never written through either.
    std::ofstream(target_) << "not ours";
    EXPECT_EQ(DownloadFile("Update.sh"), kDownloadWrongLength);
    EXPECT_EQ(Read(target_), "not ours");
}

TEST_F(UpdateOverHttp, AFileNameThatIsAPathIsRefusedBeforeAnythingIsFetched) {
    for (const char* name : {"../escape.sh", "sub/escape.sh", "/tmp/escape.sh"}) {
        server_->SetRecordFor("3.70.00", name);
        const FetchOutcome outcome = Fetch();
        EXPECT_EQ(outcome.record.fileName, name);
        EXPECT_EQ(DecideCheck("3.69.03", outcome), CheckResult::kFailed) << name;
    }
    EXPECT_EQ(server_->RequestLog().find("GET /files/"), std::string::npos);
}

TEST_F(UpdateOverHttp, RedirectsAreFollowedFiveTimesAndOnlyToHttp) {
    server_->SetRecordFor("3.70.00", "Update.sh");
    server_->AddFile("Update.sh", "#!/bin/sh\n");
    struct Case {
        const char* path;
        bool fetched;
        int downloaded;
    };
    // The hops alternate between full addresses and paths on the same server.
    const Case cases[] = {
        {"/hop/1/", true, kDownloadComplete},
        {"/hop/5/", true, kDownloadComplete},
        {"/hop/6/", false, kDownloadBadStatus},  // the sixth answer is the 302 itself
        {"/away/", false, kDownloadBadStatus},   // to ftp://
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Fetch(c.path + std::string("pemu/AppVer.php")).version,
                  c.fetched ? "3.70.00" : "err")
            << c.path;
        EXPECT_EQ(DownloadFrom(c.path + std::string("files/Update.sh")), c.downloaded) << c.path;
        EXPECT_EQ(fs::exists(target_), c.downloaded == kDownloadComplete) << c.path;
        fs::remove(target_);
    }
    EXPECT_EQ(server_->RequestLog().find("ftp"), std::string::npos);
}

TEST_F(UpdateOverHttp, AVersionAnswerTooLongOrCutShortFails) {
    const std::string record = "[PemuAppVer][Ver]3.70.00[Url]u/[Fil]f[Siz][Last][End]";
    server_->SetRecord(record + std::string(64 * 1024, ' '));
    EXPECT_TRUE(Fetch().failed());
    server_->SetRecord(record + std::string(60 * 1024, ' '));
    EXPECT_EQ(Fetch().version, "3.70.00");
    server_->AddFile("short-record", record);
    EXPECT_TRUE(Fetch("/files/short-record").failed());
    server_->AddFile("record", record);
    EXPECT_EQ(Fetch("/files/record").version, "3.70.00");
}

}  // namespace
}  // namespace pemu::update
