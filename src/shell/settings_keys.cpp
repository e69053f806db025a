#include "shell/settings_keys.hpp"

#include "arithmetic/decimal.hpp"

namespace pemu::shell {

bool Read(const SettingsStore& store, const FlagSetting& key) {
    return store.ReadBool(key.section, key.ident, key.def);
}

int Read(const SettingsStore& store, const IntegerSetting& key) {
    return store.ReadInteger(key.section, key.ident, key.def);
}

std::string Read(const SettingsStore& store, const TextSetting& key) {
    std::string text = store.ReadString(key.section, key.ident, key.def);
    if (key.maxLength > 0 && text.size() > key.maxLength) text.resize(key.maxLength);
    return text;
}

void Write(SettingsStore& store, const FlagSetting& key, bool value) {
    store.WriteBool(key.section, key.ident, value);
}

void Write(SettingsStore& store, const IntegerSetting& key, int value) {
    store.WriteInteger(key.section, key.ident, value);
}

void Write(SettingsStore& store, const TextSetting& key, std::string_view value) {
    store.WriteString(key.section, key.ident, value);
}

int ReadDentakuType(const SettingsStore& store) {
    return core::StoredFamily(core::FamilyOfStored(Read(store, keys::kDentakuType)));
}

std::string ReadTaxRate(const SettingsStore& store) {
    std::string rate = Read(store, keys::kZeiritu);
    return arith::IsNumberText(rate) ? rate : std::string(keys::kZeiritu.def);
}

}  // namespace pemu::shell
