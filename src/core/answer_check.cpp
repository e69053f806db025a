// The answer check: a result of = or % that equals the one before it, text for text, lights
// its mark, so that a calculation keyed twice is confirmed.
#include "core/calculator.hpp"

namespace pemu::core {
namespace {

// The register value that matches no result.
constexpr std::string_view kAnswerCheckCleared = "CLEAR";

}  // namespace

void Calculator::AnswerCheck(int key, std::string_view value) {
    auto& s = state_;
    if (s.errorCode != kNoError || !s.answerCheckOn) return;
    if (key != kKeyEquals && key != kKeyPercent) return;
    // Texts after rounding and padding: 6 and 6.00 are different answers.
    if (value == s.answerCheckValue) SetMark(kMarkAnswerCheck, true);
    s.answerCheckValue = Register(value);
}

void Calculator::SwitchAnswerCheck(bool on) {
    auto& s = state_;
    if (on == s.answerCheckOn) return;
    s.answerCheckOn = on;
    s.answerCheckValue = std::string(kAnswerCheckCleared);
}

}  // namespace pemu::core
