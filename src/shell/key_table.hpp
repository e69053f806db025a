#pragma once
// Which keyboard key (a Windows virtual-key number) triggers which calculator key: slots 1
// to 38, one per key code, in three stored sets of which one is active.
#include <array>
#include <string>

#include "shell/settings_store.hpp"

namespace pemu::shell {

inline constexpr int kKeySlots = 38;
inline constexpr int kNoKeyCode = 39;  // KeyCodeOf for a key no slot holds
inline constexpr int kSecondC = 8;     // never loaded from the settings
inline constexpr int kSecondCA = 38;   // never loaded from the settings

// The settings ident of a key code ("Per", "CE", ..., "1".."9", "0", "00", "CA2"); empty
// outside 1..38.
const char* KeyIdent(int code);
// The dialog's name of a key code, CP932 ("『％』"...); empty for 22 and outside 1..38.
std::string KeyDialogName(int code);
// The default layout's virtual key for a code (the same in all three sets); 0 = none.
int DefaultKeyOf(int code);
// Display name of a virtual key, CP932: "[F9]", ":[ESC]" (":" = cannot be assigned), empty
// when the key has no name (cannot be assigned either).
std::string KeyName(int vk);
// A key may be assigned when it has a name not beginning with ':'.
bool IsAssignableKey(int vk);

// "KeySet" for set 1 (and anything below), "KeySet" + digit otherwise.
std::string KeySetSection(int set);

class KeyTable {
  public:
    // Slot of a code (0 outside 1..38).
    int KeyOf(int code) const;
    void SetKey(int code, int vk);
    // The lowest code whose slot holds vk; kNoKeyCode when none (vk 0 never matches).
    int KeyCodeOf(int vk) const;
    void Clear() { slots_.fill(0); }

    int activeSet() const { return activeSet_; }
    void SetActiveSet(int set) { activeSet_ = set; }

  private:
    std::array<int, kKeySlots + 1> slots_{};
    int activeSet_ = 1;
};

// Reads [KeySet] KeySetType (used as read, see KeySetSection).
int ReadKeySetType(const SettingsStore& store);
// Fills the table from the active set; a missing or negative value takes the default and
// is written back. Slots 8 and 38 stay empty.
void LoadKeyTable(KeyTable& table, SettingsStore& store);
// Assigns (vk 0 clears) and writes the value into the active set's section at once.
void AssignKey(KeyTable& table, SettingsStore& store, int code, int vk);
// Every slot of the active set takes the default; every ident, "C2" and "CA2" included,
// is written.
void ResetKeyTable(KeyTable& table, SettingsStore& store);
// Makes `set` active, loads it and writes KeySetType.
void SwitchKeySet(KeyTable& table, SettingsStore& store, int set);

}  // namespace pemu::shell
