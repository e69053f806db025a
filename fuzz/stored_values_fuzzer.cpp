// What the settings file hands the calculator at start (the kept memory, the tax rate, the
// selectors and the display width), then any keys: a stored value the display cannot show
// is ignored, and no key afterwards breaks a register's bound.
//
// Input: bytes 0..3 display width, round and decimal selectors, family and switches;
// bytes 4 and 5 the lengths of the "Memory" and "Zeiritu" texts that follow; every byte
// after them is one key.
#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "arithmetic/decimal.hpp"
#include "core/calculator.hpp"
#include "core/recording_display.hpp"
#include "fuzz_support.hpp"
#include "tape/tape_recorder.hpp"

namespace {

using namespace pemu::core;
using pemu::fuzz::Require;

constexpr std::array<int, 4> kRounds{kSelectorF, StoredSelector(kRoundCut),
                                     StoredSelector(kRoundUp), StoredSelector(kRoundHalfUp)};
constexpr std::array<int, 8> kDecimals{kSelectorF, 0, 1, 2,
                                       3,          4, 5, StoredSelector(kDecimalAddMode)};
constexpr std::array<int, 32> kKeys{
    kKeyPercent,     kKeyClearEntry, kKeyMemoryClear, kKeyMemoryRecall, kKeyMemoryPlus,
    kKeyMemoryMinus, kKeyClear,      kKeyRoot,        kKeyTaxIncluded,  kKeyTaxExcluded,
    kKeyBackSpace,   kKeySignChange, kKeyGrandTotal,  kKeyClearAll,     kKeyAdd,
    kKeySubtract,    kKeyMultiply,   kKeyDivide,      kKeyPoint,        kKeyDigit1,
    kKeyDigit1 + 1,  kKeyDigit1 + 4, kKeyDigit1 + 8,  kKeyDigit0,       kKeyDoubleZero,
    kKeyEquals,      kKeyEquals,     kKeyDigit1 + 2,  kKeyDigit1 + 6,   kKeyMemoryRecall,
    kKeyMultiply,    kKeyEquals};

std::string Take(std::string_view& in, std::size_t length) {
    const std::string taken(in.substr(0, std::min(length, in.size())));
    in.remove_prefix(taken.size());
    return taken;
}

std::size_t Digits(std::string_view text) {
    return static_cast<std::size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }));
}

void RegistersInBounds(const CalculatorState& s) {
    for (const std::string* r : {&s.displayValue, &s.answerValue, &s.memoryValue,
                                 &s.grandTotalValue, &s.constantValue, &s.taxRate})
        Require(r->size() < kRegisterSize);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view in = pemu::fuzz::Bytes(data, size);
    if (in.size() < 6) return 0;
    const auto byte = [&in](std::size_t i) { return static_cast<unsigned char>(in[i]); };
    StartupSettings settings;
    settings.panelDigit = 8 + byte(0) % 7;
    settings.roundSelecter = kRounds[byte(1) % kRounds.size()];
    settings.decimalSelecter = kDecimals[byte(2) % kDecimals.size()];
    const KeyFamily family = (byte(3) & 1) ? kMakerCasio : kMakerSharp;
    settings.grandTotal = (byte(3) & 8) != 0;
    settings.answerCK = (byte(3) & 16) != 0;
    InMemoryMemoryStore memory;
    memory.SetMemoryOn((byte(3) & 2) != 0);
    memory.SetMemoryRead((byte(3) & 4) != 0);
    const std::size_t memoryLength = byte(4), taxLength = byte(5);
    in.remove_prefix(6);
    // Longer than the settings store hands over (19 characters): the engine bounds them too.
    memory.SetMemory(Take(in, memoryLength));
    settings.zeiritu = Take(in, taxLength);

    RecordingDisplay display;
    NullShell shell;
    pemu::tape::TapeRecorder tape;
    Calculator calc(display, shell, tape, family);
    calc.FirstShow();
    calc.ApplyStartupSettings(settings, &memory);
    const CalculatorState& s = calc.State();
    Require(s.memoryValue == "0" ||
            (pemu::arith::IsNumberText(s.memoryValue) &&
             Digits(s.memoryValue) <= static_cast<std::size_t>(s.panelDigit)));
    Require(pemu::arith::IsNumberText(s.taxRate));
    RegistersInBounds(s);
    for (const char key : in) {
        calc.ExecuteKey(kKeys[static_cast<unsigned char>(key) % kKeys.size()]);
        RegistersInBounds(s);
    }
    return 0;
}
