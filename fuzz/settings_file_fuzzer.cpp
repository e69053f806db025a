// Any bytes as Pemu.ini: the store keeps what it can read, every typed read gives a value of
// its kind, a flush writes a file that reads back clean and the same, and the damaged
// original is kept beside it, never more than a few copies.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "arithmetic/decimal.hpp"
#include "fuzz_support.hpp"
#include "platform/file_system.hpp"
#include "shell/ini_document.hpp"
#include "shell/key_table.hpp"
#include "shell/settings_keys.hpp"
#include "shell/settings_store.hpp"

namespace {

using namespace pemu::shell;
using pemu::fuzz::Require;

// The document alone: one rewrite settles whatever the bytes were.
void DocumentSettles(std::string_view text, IniDocument::ParseReport& report) {
    const std::string once = IniDocument::Parse(text, &report).Serialise();
    IniDocument::ParseReport again;
    Require(IniDocument::Parse(once, &again).Serialise() == once);
    Require(again.droppedLines == 0 && !again.binary);
}

void TypedReadsGiveTheirKinds(SettingsStore& store) {
    const int type = ReadDentakuType(store);
    Require(type == 1 || type == 2);
    Require(pemu::arith::IsNumberText(ReadTaxRate(store)));
    Require(Read(store, keys::kMemory).size() <= keys::kMemory.maxLength);
    Require(Read(store, keys::kKasaneAwase).size() <= keys::kKasaneAwase.maxLength);
    (void)Read(store, keys::kPanelDigit);
    (void)Read(store, keys::kLogHozon);
    KeyTable table;
    LoadKeyTable(table, store);  // writes the defaults of missing keys back
    for (int code = 1; code <= 38; ++code)
        Require(table.KeyOf(code) >= 0);
}

std::size_t DamagedCopies(const std::string& folder) {
    std::size_t copies = 0;
    for (const auto& entry : pemu::platform::ReadFolder(folder))
        copies += entry.name.starts_with("Pemu.ini.damaged.");
    return copies;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = pemu::fuzz::Bytes(data, size);
    IniDocument::ParseReport report;
    DocumentSettles(text, report);

    const std::string& folder = pemu::fuzz::ScratchFolder();
    const std::string path = folder + "Pemu.ini";
    Require(pemu::platform::WriteFileAtomically(path, text).ok);
    SettingsStore store(path);
    const bool damaged = report.binary || report.droppedLines > 0;
    Require(store.loadStatus() == (damaged ? LoadStatus::kDamaged : LoadStatus::kLoaded));
    TypedReadsGiveTheirKinds(store);
    store.WriteString("Value", "Memory", "12");
    Require(store.UpdateFile().ok);
    const SettingsStore back(path);
    Require(back.loadStatus() == LoadStatus::kLoaded);
    Require(back.Text() == store.Text());
    Require(back.ReadString("value", "MEMORY", "") == "12");
    Require(DamagedCopies(folder) <= SettingsStore::kDamagedCopiesKept);
    return 0;
}
