#pragma once
// The key-logic family: what C and CE do, which selector has an F, how the tape labels the
// C line and works out a percent again. It lives with the tape, the lowest layer that asks.
namespace pemu::tape {

enum class KeyFamily : int {
    kSharp = 1,
    kCasio = 2,
};

// The family's number in the settings file ("DentakuType"); a number that names none reads
// as kSharp.
constexpr KeyFamily FamilyOfStored(int stored) {
    return stored == static_cast<int>(KeyFamily::kCasio) ? KeyFamily::kCasio : KeyFamily::kSharp;
}
constexpr int StoredFamily(KeyFamily family) {
    return static_cast<int>(family);
}

}  // namespace pemu::tape
