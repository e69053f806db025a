#include "shell/calculator_settings.hpp"

#include "shell/settings_keys.hpp"

namespace pemu::shell {

core::StartupSettings ReadCalculatorSettings(const SettingsStore& store) {
    core::StartupSettings s;
    s.roundSelecter = Read(store, keys::kRoundSelecter);
    s.decimalSelecter = Read(store, keys::kDecimalSelecter);
    s.panelDigit = Read(store, keys::kPanelDigit);
    s.grandTotal = Read(store, keys::kGrandTotal);
    s.answerCK = Read(store, keys::kAnswerCK);
    s.kenzanAutoDate = Read(store, keys::kKenzanAutoDate);
    s.kenzanCheck = Read(store, keys::kKenzanCheck);
    s.kenzanIsColor = Read(store, keys::kKenzanIsColor);
    s.zeiritu = ReadTaxRate(store);
    return s;
}

void WriteCalculatorSettings(SettingsStore& store, const core::CalculatorState& state) {
    Write(store, keys::kPanelDigit, state.panelDigit);
    Write(store, keys::kAnswerCK, state.answerCheckOn);
    Write(store, keys::kGrandTotal, state.grandTotalOn);
    Write(store, keys::kRoundSelecter, core::StoredSelector(state.roundSelector));
    Write(store, keys::kDecimalSelecter, core::StoredSelector(state.decimalSelector));
    Write(store, keys::kDentakuType, core::StoredFamily(state.makerType));
}

std::string SettingsMemoryStore::Memory() const {
    return Read(store_(), keys::kMemory);
}
bool SettingsMemoryStore::MemoryOn() const {
    return Read(store_(), keys::kMemoryOn);
}
bool SettingsMemoryStore::MemoryRead() const {
    return Read(store_(), keys::kMemoryRead);
}
void SettingsMemoryStore::SetMemory(std::string_view value) {
    Write(store_(), keys::kMemory, value);
}
void SettingsMemoryStore::SetMemoryOn(bool on) {
    Write(store_(), keys::kMemoryOn, on);
}
void SettingsMemoryStore::SetMemoryRead(bool on) {
    Write(store_(), keys::kMemoryRead, on);
}

}  // namespace pemu::shell
