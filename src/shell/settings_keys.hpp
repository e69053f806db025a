#pragma once
// Every key of the settings file with its section, type and default, in one place (the
// engine's start-up keys take their defaults from core/startup_settings.hpp, the one place
// below the shell that needs them). Read and write them through Read()/Write() so a key's
// default is never repeated elsewhere.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "core/startup_settings.hpp"
#include "shell/settings_store.hpp"

namespace pemu::shell {

struct FlagSetting {
    const char* section;
    const char* ident;
    bool def;
};
struct IntegerSetting {
    const char* section;
    const char* ident;
    int def;
};
struct TextSetting {
    const char* section;
    const char* ident;
    const char* def;
    std::size_t maxLength;  // characters kept when read; 0 = no bound
};

namespace keys {
// [View]
inline constexpr FlagSetting kKeyPanelOn{"View", "KeyPanelOn", false};
inline constexpr FlagSetting kKeyButtonOn{"View", "KeyButtonOn", true};
inline constexpr FlagSetting kFrontSideOn{"View", "FrontSideOn", true};
inline constexpr FlagSetting kTaskBarIn{"View", "TaskBarIn", false};  // written only
// [Value]
inline constexpr IntegerSetting kDentakuType{"Value", "DentakuType",
                                             core::StoredFamily(core::fresh::kDentakuType)};
inline constexpr FlagSetting kKeyNaviOn{"Value", "KeyNaviOn", false};
inline constexpr IntegerSetting kPerType{"Value", "PerType", 1};
inline constexpr IntegerSetting kRoundSelecter{"Value", "RoundSelecter",
                                               core::fresh::kRoundSelecter};
inline constexpr IntegerSetting kDecimalSelecter{"Value", "DecimalSelecter",
                                                 core::fresh::kDecimalSelecter};
inline constexpr IntegerSetting kPanelDigit{"Value", "PanelDigit", core::fresh::kPanelDigit};
inline constexpr TextSetting kMemory{"Value", "Memory", "0", 19};
inline constexpr FlagSetting kMemoryOn{"Value", "MemoryOn", false};
inline constexpr FlagSetting kMemoryRead{"Value", "MemoryRead", true};
inline constexpr FlagSetting kGrandTotal{"Value", "GrandTotal", core::fresh::kGrandTotal};
inline constexpr FlagSetting kAnswerCK{"Value", "AnswerCK", core::fresh::kAnswerCK};
inline constexpr FlagSetting kKenzanAutoDate{"Value", "KenzanAutoDate",
                                             core::fresh::kKenzanAutoDate};
inline constexpr FlagSetting kKenzanIsColor{"Value", "KenzanIsColor", core::fresh::kKenzanIsColor};
inline constexpr FlagSetting kKenzanCheck{"Value", "KenzanCheck", core::fresh::kKenzanCheck};
inline constexpr FlagSetting kKenzanAutoScroll{"Value", "KenzanAutoScroll", true};  // written only
inline constexpr FlagSetting kKenzanLock{"Value", "KenzanLock", true};              // written only
inline constexpr IntegerSetting kKenzanTop{"Value", "KenzanTop", 100};
inline constexpr IntegerSetting kKenzanLeft{"Value", "KenzanLeft", 100};
inline constexpr IntegerSetting kSushikiTop{"Value", "SushikiTop", 100};
inline constexpr IntegerSetting kSushikiLeft{"Value", "SushikiLeft", 100};
inline constexpr IntegerSetting kBigPanelTop{"Value", "BigPanelTop", 100};
inline constexpr IntegerSetting kBigPanelLeft{"Value", "BigPanelLeft", 100};
inline constexpr IntegerSetting kLogViewTop{"Value", "LogViewTop", 100};
inline constexpr IntegerSetting kLogViewLeft{"Value", "LogViewLeft", 100};
inline constexpr IntegerSetting kSkinChTop{"Value", "SkinChTop", 100};
inline constexpr IntegerSetting kSkinChLeft{"Value", "SkinChLeft", 100};
inline constexpr IntegerSetting kSkinChClientHeight{"Value", "SkinChClientHeight",
                                                    0};  // written only
inline constexpr IntegerSetting kSkinChClientWidth{"Value", "SkinChClientWidth",
                                                   0};  // written only
inline constexpr IntegerSetting kKenzanFontSize{"Value", "KenzanFontSize", 12};
inline constexpr IntegerSetting kKenzanScroll{"Value", "KenzanScroll", 1};
inline constexpr FlagSetting kIsAutoScroll{"Value", "IsAutoScroll", true};
inline constexpr FlagSetting kIsInputPanel{"Value", "IsInputPanel", true};
inline constexpr FlagSetting kIsOptColor{"Value", "IsOptColor", true};
inline constexpr IntegerSetting kKenzanClientHeight{"Value", "KenzanClientHeight", 660};
inline constexpr IntegerSetting kKenzanClientWidth{"Value", "KenzanClientWidth", 380};
inline constexpr IntegerSetting kSushikiFontSize{"Value", "SushikiFontSize", 14};
inline constexpr IntegerSetting kSAnsColor{"Value", "sAnsColor", 1};
inline constexpr IntegerSetting kSKugirisuu{"Value", "sKugirisuu", 3};
inline constexpr IntegerSetting kSushikiClientHeigh{"Value", "SushikiClientHeigh", 590};
inline constexpr IntegerSetting kSushikiClientWidth{"Value", "SushikiClientWidth", 567};
inline constexpr FlagSetting kKansuKakko{"Value", "KansuKakko", false};
inline constexpr IntegerSetting kSSeisubuMax{"Value", "sSeisubuMax", 56};
inline constexpr IntegerSetting kSSyousubuMax{"Value", "sSyousubuMax", 28};
inline constexpr FlagSetting kSushikiKioku{"Value", "SushikiKioku", true};
inline constexpr IntegerSetting kLogFontSize{"Value", "LogFontSize", 12};
inline constexpr FlagSetting kLogHozon{"Value", "LogHozon", true};
inline constexpr IntegerSetting kLogViewHeight{"Value", "LogViewHeight", 689};
inline constexpr IntegerSetting kLogViewWidth{"Value", "LogViewWidth", 283};
// [StartUp]
inline constexpr FlagSetting kStartUpEndOn{"StartUp", "StartUpEndOn", true};
inline constexpr IntegerSetting kStartUpTop{"StartUp", "StartUpTop", 100};
inline constexpr IntegerSetting kStartUpLeft{"StartUp", "StartUpLeft", 100};
inline constexpr FlagSetting kAutoUpdate{"StartUp", "AutoUpdate", false};
inline constexpr TextSetting kKasaneAwase{"StartUp", "KasaneAwase", "", 29};
// [Skin] (plus one ident per skin, owned by the skin chooser)
inline constexpr IntegerSetting kCustumSkinType{"Skin", "CustumSkinType", 0};
inline constexpr FlagSetting kDisplayAuthor{"Skin", "DisplayAuthor", false};
inline constexpr FlagSetting kSortAsc{"Skin", "SortAsc", true};
// The package each skin part came from, by part: "SET_", "PNL_", "BTN_", "DGP_", "DGN_", "DGM_".
inline constexpr std::array<TextSetting, 6> kSkinPartNames{{{"Skin", "SET_", "", 0},
                                                            {"Skin", "PNL_", "", 0},
                                                            {"Skin", "BTN_", "", 0},
                                                            {"Skin", "DGP_", "", 0},
                                                            {"Skin", "DGN_", "", 0},
                                                            {"Skin", "DGM_", "", 0}}};
// [Tax]
inline constexpr TextSetting kZeiritu{"Tax", "Zeiritu", core::fresh::kZeiritu, 19};
// [KeySet] (the keys themselves: key_table.hpp)
inline constexpr IntegerSetting kKeySetType{"KeySet", "KeySetType", 1};
}  // namespace keys

bool Read(const SettingsStore& store, const FlagSetting& key);
int Read(const SettingsStore& store, const IntegerSetting& key);
std::string Read(const SettingsStore& store, const TextSetting& key);  // cut to maxLength
void Write(SettingsStore& store, const FlagSetting& key, bool value);
void Write(SettingsStore& store, const IntegerSetting& key, int value);
void Write(SettingsStore& store, const TextSetting& key, std::string_view value);
bool Exists(const SettingsStore& store, const auto& key) {
    return store.ValueExists(key.section, key.ident);
}
void Delete(SettingsStore& store, const auto& key) {
    store.DeleteKey(key.section, key.ident);
}

// Keys whose stored text needs more than a type check.
int ReadDentakuType(const SettingsStore& store);      // 1 or 2; anything else reads as 1
std::string ReadTaxRate(const SettingsStore& store);  // "0.08" unless a decimal number

}  // namespace pemu::shell
