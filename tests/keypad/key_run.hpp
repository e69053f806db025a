#pragma once
// Runs a `pemu-calc keys` style command line ("options -- tokens") through the real engine.
#include <gtest/gtest.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "core/key_session.hpp"
#include "key_arguments.hpp"

namespace pemu::keypad_test {

inline std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// The session after the keys of line; fails the test on a line it cannot parse.
inline std::unique_ptr<core::KeySession> RunKeys(const std::string& line) {
    calc::KeyArguments parsed;
    const std::string message = calc::ParseKeyArguments(Words(line), parsed);
    EXPECT_EQ(message, "") << line;
    auto session = std::make_unique<core::KeySession>(parsed.options);
    for (const std::string& token : parsed.tokens)
        session->Press(token);
    return session;
}

// Keys more tokens, blank separated, into a running session.
inline void PressAll(core::KeySession& session, const std::string& tokens) {
    for (const std::string& token : Words(tokens))
        EXPECT_TRUE(session.Press(token)) << token;
}

// The tape (UTF-8, "\n" per line) ends with tail.
inline testing::AssertionResult TapeEndsWith(const core::KeySession& session,
                                             const std::string& tail) {
    const std::string tape = session.TapeUtf8();
    if (tape.size() >= tail.size() &&
        tape.compare(tape.size() - tail.size(), tail.size(), tail) == 0) {
        return testing::AssertionSuccess();
    }
    return testing::AssertionFailure() << "the tape\n" << tape << "does not end with\n" << tail;
}

}  // namespace pemu::keypad_test
