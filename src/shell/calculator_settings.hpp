#pragma once
// The calculator's own keys in the settings: read into the engine at the first activation,
// written back from it at the end; and the memory register kept between runs, read and
// written straight through the store.
#include <functional>

#include "core/calculator.hpp"
#include "core/memory_store_port.hpp"
#include "shell/settings_store.hpp"

namespace pemu::shell {

// [Value] "RoundSelecter", "DecimalSelecter", "PanelDigit", "GrandTotal", "AnswerCK",
// "KenzanAutoDate", "KenzanCheck", "KenzanIsColor" and [Tax] "Zeiritu" (a non-number reads
// as "0.08").
core::StartupSettings ReadCalculatorSettings(const SettingsStore& store);

// [Value] "PanelDigit", "AnswerCK", "GrandTotal", "RoundSelecter", "DecimalSelecter",
// "DentakuType", in this order.
void WriteCalculatorSettings(SettingsStore& store, const core::CalculatorState& state);

// [Value] "Memory", "MemoryOn" and "MemoryRead" of the store the run works on (a child's own
// copy once it has one).
class SettingsMemoryStore : public core::MemoryStorePort {
  public:
    explicit SettingsMemoryStore(std::function<SettingsStore&()> store)
        : store_(std::move(store)) {}

    std::string Memory() const override;
    bool MemoryOn() const override;
    bool MemoryRead() const override;
    void SetMemory(std::string_view value) override;
    void SetMemoryOn(bool on) override;
    void SetMemoryRead(bool on) override;

  private:
    std::function<SettingsStore&()> store_;
};

}  // namespace pemu::shell
