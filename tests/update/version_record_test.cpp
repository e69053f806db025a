// The version record, the comparison, and what the dialog's check reports.
#include "update/version_record.hpp"

#include <gtest/gtest.h>

#include "platform/codec.hpp"
#include "update/update_steps.hpp"
#include "update/version_fetch.hpp"

namespace pemu::update {
namespace {

using platform::Sjis;

TEST(VersionRecord, BodyIsJoinedWithCrLfTrimmedAndCutTo999) {
    EXPECT_EQ(NormalizeBody("\r\n  [A]\nb\rc\r\n\t "), "[A]\r\nb\r\nc");
    EXPECT_EQ(NormalizeBody(""), "");
    const std::string longBody = std::string(20, ' ') + std::string(1500, 'x') + "\n";
    EXPECT_EQ(NormalizeBody(longBody), std::string(999, 'x'));
}

TEST(VersionRecord, FieldsRunFromTheirTagToTheNextOne) {
    struct Case {
        const char* name;
        std::string body;
        std::string version, url, file;
    };
    const Case cases[] = {
        {"one line", "<p>[PemuAppVer][Ver]3.70.00[Url]http://h/d/[Fil]Up.exe[Siz]12[Last][End]</p>",
         "3.70.00", "http://h/d/", "Up.exe"},
        {"no start tag", "[Ver]3.70.00[Url]u[Fil]f[Siz][Last][End]", "", "", ""},
        {"no end tag", "[PemuAppVer][Ver]3.70.00[Url]u[Fil]f[Siz][Last]", "", "", ""},
        {"missing [Url] empties [Ver]", "[PemuAppVer][Ver]3.70.00[Fil]f[Siz][Last][End]", "", "",
         "f"},
        {"missing [Siz] empties [Fil]", "[PemuAppVer][Ver]3.70.00[Url]u[Fil]f[Last][End]",
         "3.70.00", "u", ""},
        {"line breaks are kept", "[PemuAppVer][Ver]3.70\r\n.00[Url]u[Fil]f[Siz][Last][End]",
         "3.70\r\n.00", "u", "f"},
        {"version cut to 9", "[PemuAppVer][Ver]3.70.00.123[Url]u[Fil]f[Siz][Last][End]",
         "3.70.00.1", "u", "f"},
    };
    for (const Case& c : cases) {
        const VersionRecord r = ParseVersionRecord(NormalizeBody(c.body));
        EXPECT_EQ(r.version, c.version) << c.name;
        EXPECT_EQ(r.url, c.url) << c.name;
        EXPECT_EQ(r.fileName, c.file) << c.name;
    }
}

TEST(VersionRecord, TheRecordIsCutTo299BeforeTheFieldsAreTaken) {
    // A long [Url] pushes the end of [Fil] past the 299 characters of the record: the file
    // name is lost, the address kept.
    const std::string url(270, 'u');
    const VersionRecord r =
        ParseVersionRecord("[PemuAppVer][Ver]3.70.00[Url]" + url + "[Fil]Up.exe[Siz]1[Last][End]");
    EXPECT_EQ(r.url, url);
    EXPECT_EQ(r.fileName, "");
    const std::string longUrl(320, 'u');
    EXPECT_EQ(ParseVersionRecord("[PemuAppVer][Ver]1[Url]" + longUrl + "[Fil]f[Siz][End]").url, "")
        << "its closing tag lies past the cut";
}

TEST(VersionRecord, NewerIsAPlainTextComparison) {
    struct Case {
        const char* server;
        bool newer;
    };
    const Case cases[] = {
        {"3.70.00", true},
        {"3.69.04", true},
        {"3.69.03", false},
        {"3.69.02", false},
        {"10.00.00", false} /* "1" sorts before "3" */,
        {"4", true},
        {"3.69.03.1", true},
        {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(IsNewer("3.69.03", c.server), c.newer) << c.server;
    EXPECT_TRUE(IsNewer("3.69.03", "\xff")) << "bytes compare unsigned";
}

TEST(VersionRecord, PlainFileNamesAndVersionTexts) {
    for (const char* name : {"Update.exe", "pemu-3.70.sh", "a", "12345678901234567890123456789"})
        EXPECT_TRUE(IsPlainFileName(name)) << name;
    for (const char* name : {"", ".", "..", "../x", "a/b", "/etc/passwd", "a\\b", "C:x", "a\tb",
                             "123456789012345678901234567890"})
        EXPECT_FALSE(IsPlainFileName(name)) << name;
    for (const char* v : {"3.70.00", "10", "3.69.03.1"})
        EXPECT_TRUE(IsVersionText(v)) << v;
    for (const char* v : {"", "...", "3.70a", "<html>", "3.70.00.12"})
        EXPECT_FALSE(IsVersionText(v)) << v;
}

FetchOutcome Fetch(const std::optional<std::string>& body) {
    return ReadVersionAnswer(body);
}

TEST(VersionCheck, WhatTheCheckReports) {
    const std::string record = "[PemuAppVer][Ver]3.70.00[Url]http://h/[Fil]Up.exe[Siz]1[Last][End]";
    struct Case {
        const char* name;
        std::optional<std::string> body;
        CheckResult result;
        std::string message;
        int stage;
    };
    const std::string failed = Sjis("接続に失敗しました。");
    const std::string newest = Sjis("現在最新バージョンをお使いです。");
    const Case cases[] = {
        {"newer", record, CheckResult::kNewer,
         Sjis("最新バージョン 3.70.00 が見つかりました。\r\n[ダウンロード] "
              "ボタンを押してください。"),
         kStageDownload},
        {"equal", "[PemuAppVer][Ver]3.69.03[Url][Fil][Siz][Last][End]", CheckResult::kCurrent,
         newest, kStageCheck},
        {"request failed", std::nullopt, CheckResult::kFailed, failed, kStageCheck},
        {"no record in the page", "<html>503</html>", CheckResult::kFailed, failed, kStageCheck},
        {"version not a version", "[PemuAppVer][Ver]new![Url]u[Fil]f[Siz][Last][End]",
         CheckResult::kFailed, failed, kStageCheck},
        {"a path as file name",
         "[PemuAppVer][Ver]3.70.00[Url]http://h/[Fil]../../.profile[Siz][Last][End]",
         CheckResult::kFailed, failed, kStageCheck},
        {"a file name too long to be kept",
         "[PemuAppVer][Ver]3.70.00[Url]http://h/[Fil]" + std::string(30, 'f') + "[Siz][Last][End]",
         CheckResult::kFailed, failed, kStageCheck},
        {"newer with no address", "[PemuAppVer][Ver]3.70.00[Url][Fil]Up.exe[Siz][Last][End]",
         CheckResult::kFailed, failed, kStageCheck},
    };
    for (const Case& c : cases) {
        const FetchOutcome outcome = Fetch(c.body);
        EXPECT_EQ(DecideCheck("3.69.03", outcome), c.result) << c.name;
        const StageReport report = AfterCheck("3.69.03", outcome);
        EXPECT_EQ(report.message, c.message) << c.name;
        EXPECT_EQ(report.stage, c.stage) << c.name;
    }
    EXPECT_TRUE(Fetch(std::nullopt).failed());
    EXPECT_EQ(Fetch(std::nullopt).version, "err");
}

}  // namespace
}  // namespace pemu::update
