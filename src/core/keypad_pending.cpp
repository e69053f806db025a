// Keys of the percent, root, sign, memory, grand total and tax group that are not built
// yet: each is refused without changing anything.
#include "core/calculator.hpp"

namespace pemu::core {

void Calculator::PercentKey() {
    shell_.Refocus();
}

std::string Calculator::ComputePercent(std::string_view, std::string_view, int) {
    return "0";
}

void Calculator::ApplyPercentAddOn(std::string_view, int) {
    shell_.Refocus();
}

void Calculator::RootKey() {
    shell_.Refocus();
}

void Calculator::SignChangeKey() {
    shell_.Refocus();
}

void Calculator::MemoryKey(int) {
    shell_.Refocus();
}

void Calculator::GrandTotalKey() {
    shell_.Refocus();
}

void Calculator::AddToGrandTotal(int, std::string_view) {}

void Calculator::AnswerCheck(int, std::string_view) {}

void Calculator::TaxKey(int) {
    shell_.Refocus();
}

void Calculator::SwitchAnswerCheck(bool) {}

void Calculator::SwitchGrandTotal(bool) {}

void Calculator::RestoreMemory(const MemoryStorePort&) {}

void Calculator::SaveMemory(MemoryStorePort&) const {}

}  // namespace pemu::core
