#include <gtest/gtest.h>

#include "platform/file_system.hpp"
#include "platform/product_info.hpp"
#include "platform/program_file.hpp"
#include "platform/version_resource.hpp"

namespace pemu::platform {
namespace {

std::string Beside(const std::string& name) {
    return ExecutableFolder() + name;
}

TEST(VersionResource, FirstListedTranslationIsReadAndTrimmed) {
    EXPECT_EQ(VersionResourceProductName(Beside("version-sample.exe")), "Sample Tool");
    EXPECT_EQ(ProgramProductName(Beside("version-sample.exe")), "Sample Tool");
}

TEST(VersionResource, FilesWithoutOneGiveNothing) {
    const std::string plain = Beside("program-file-test-plain.exe");
    ASSERT_TRUE(WriteFileAtomically(plain, "MZ no resources here"));
    EXPECT_EQ(VersionResourceProductName(plain), std::nullopt);
    EXPECT_EQ(ProgramProductName(plain), std::nullopt);
    RemoveFile(plain);
    EXPECT_EQ(VersionResourceProductName(Beside("missing.exe")), std::nullopt);
    EXPECT_EQ(ProgramProductName(Beside("missing.exe")), std::nullopt);
}

TEST(VersionResource, OurProgramsAreRecognisedByTheRecordWithoutOne) {
    // This test program carries no version resource, only the record every binary of ours has.
    EXPECT_EQ(VersionResourceProductName(Beside("pemu_platform_windows_tests.exe")), std::nullopt);
    EXPECT_EQ(ProgramProductName(Beside("pemu_platform_windows_tests.exe")),
              std::string(kProductName));
}

TEST(ProgramFileName, CarriesTheWindowsSuffix) {
    EXPECT_EQ(ProgramFileName("pemu-popup"), "pemu-popup.exe");
}

}  // namespace
}  // namespace pemu::platform
