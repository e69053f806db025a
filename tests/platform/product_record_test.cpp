#include "platform/product_record.hpp"

#include <gtest/gtest.h>

#include "platform/file_system.hpp"
#include "platform/product_info.hpp"

namespace pemu::platform {
namespace {

TEST(ProductRecord, FoundInThisVeryBinary) {
    ASSERT_FALSE(ProductRecord().empty());
    std::optional<std::string> self = ReadWholeFile(ExecutablePath());
    ASSERT_TRUE(self.has_value());
    EXPECT_EQ(FindProductName(*self), std::string(kProductName));
}

TEST(ProductRecord, NameIsTrimmedAndEmptyRecordsAreSkipped) {
    const std::string record(ProductRecord());
    const std::string marker = record.substr(0, record.size() - std::string(kProductName).size());
    struct Case {
        std::string bytes;
        std::optional<std::string> expected;
    };
    const Case cases[] = {
        {"garbage", std::nullopt},
        {marker + std::string(1, '\0'), std::nullopt},
        {"xx" + marker + "  Other Tool \t" + std::string(1, '\0') + "tail", "Other Tool"},
        {marker + std::string(1, '\0') + marker + "Pemu", "Pemu"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FindProductName(c.bytes), c.expected);
}

}  // namespace
}  // namespace pemu::platform
