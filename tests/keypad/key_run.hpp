#pragma once
// Runs a `pemu-calc keys` style command line through the real engine and reports what a
// user would see after the last key.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/key_session.hpp"

namespace pemu::keypad_test {

// What a row of a key table expects after its last key.
struct KeyCase {
    const char* name;
    const char* keys;     // options, "--", tokens, blank separated
    const char* display;  // displayValue
    const char* marks;    // lit marks, ascending, or "-"
    int error = 0;
};

inline std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// The session after the keys of line; fails the test on a line it cannot parse.
inline std::unique_ptr<core::KeySession> RunKeys(const std::string& line) {
    core::KeyArguments parsed;
    const std::string message = core::ParseKeyArguments(Words(line), parsed);
    EXPECT_EQ(message, "") << line;
    auto session = std::make_unique<core::KeySession>(parsed.options);
    for (const std::string& token : parsed.tokens)
        session->Press(token);
    return session;
}

inline void ExpectCase(const KeyCase& c) {
    const auto session = RunKeys(c.keys);
    const core::CalculatorState& s = session->Calc().State();
    EXPECT_EQ(s.displayValue, c.display) << c.name << ": " << c.keys;
    EXPECT_EQ(session->LitMarks(), c.marks) << c.name << ": " << c.keys;
    EXPECT_EQ(s.errorCode, c.error) << c.name << ": " << c.keys;
}

inline std::string CaseName(const testing::TestParamInfo<KeyCase>& info) {
    return info.param.name;
}

}  // namespace pemu::keypad_test
