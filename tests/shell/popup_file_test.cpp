#include "shell/popup_file.hpp"

#include <gtest/gtest.h>

#include "../platform/temp_folder.hpp"

namespace pemu::shell {
namespace {

using testing::ReadFile;
using testing::TempFolder;

TEST(PopupFile, NameCarriesTimeAndWindowPosition) {
    EXPECT_EQ(PopupFileName(1700000000, 12, 345), "zp0_170000000000120345.txt");
    EXPECT_EQ(PopupFileName(1700000000, 1024, 7), "zp0_170000000010240007.txt");
    // The viewer reads the position back; names it does not know give nothing.
    struct Case {
        const char* name;
        std::optional<platform::Point> at;
    };
    const Case cases[] = {
        {"zp0_170000000000120345.txt", platform::Point{12, 345}},
        {"zp0_170000000010240007_2.txt", platform::Point{1024, 7}},
        {"zp0_1700000000-0100020.txt", platform::Point{-10, 20}},
        {"zp0_0012.txt", std::nullopt},
        {"notes.txt", std::nullopt},
        {"zp0_17000000000012034x.txt", std::nullopt},
    };
    for (const Case& c : cases) {
        const auto at = PopupFilePosition(c.name);
        ASSERT_EQ(at.has_value(), c.at.has_value()) << c.name;
        if (at) {
            EXPECT_EQ(at->x, c.at->x) << c.name;
            EXPECT_EQ(at->y, c.at->y) << c.name;
        }
    }
}

TEST(PopupFile, WritesANewFileEveryTimeIntoThePidFolder) {
    TempFolder folder;
    const std::string pid = folder / "PID/";  // not there yet
    const PopupFile first = WritePopupFile(pid, "1\r\n+2", 1700000000, 10, 20);
    ASSERT_TRUE(first.io.ok) << first.io.what;
    EXPECT_EQ(first.path, pid + "zp0_170000000000100020.txt");
    EXPECT_EQ(ReadFile(first.path), "1\r\n+2");
    // The same second and place: the first file stays as it was.
    const PopupFile second = WritePopupFile(pid, "other", 1700000000, 10, 20);
    EXPECT_EQ(second.path, pid + "zp0_170000000000100020_2.txt");
    EXPECT_EQ(ReadFile(first.path), "1\r\n+2");
    EXPECT_EQ(ReadFile(second.path), "other");
    // A PID folder that cannot be made is reported.
    testing::WriteFile(folder / "file", "x");
    EXPECT_FALSE(WritePopupFile(folder / "file/PID/", "x", 1, 0, 0).io.ok);
}

}  // namespace
}  // namespace pemu::shell
