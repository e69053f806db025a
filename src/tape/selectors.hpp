#pragma once
// The round and decimal selectors of the face. Their numbers are those of the settings file
// ("RoundSelecter", "DecimalSelecter") and of the switch panel; the calculator's setters
// take such a number and keep what its family offers.
namespace pemu::tape {

enum class RoundSelector : int {
    kCut = 2,
    kUp = 3,
    kHalfUp = 4,
    kF = 999,  // not rounded
};

// 0 to 5: that many places.
enum class DecimalSelector : int {
    kAddMode = 22,  // two places, the point keyed for the user
    kF = 999,       // not rounded
};

constexpr int StoredSelector(RoundSelector selector) {
    return static_cast<int>(selector);
}
constexpr int StoredSelector(DecimalSelector selector) {
    return static_cast<int>(selector);
}
constexpr RoundSelector RoundSelectorOf(int stored) {
    return static_cast<RoundSelector>(stored);
}
constexpr DecimalSelector DecimalSelectorOf(int stored) {
    return static_cast<DecimalSelector>(stored);
}

// The two selectors a rounding follows, named at every call so they cannot change places.
struct Selectors {
    RoundSelector round = RoundSelector::kF;
    DecimalSelector decimal = DecimalSelector::kF;
};

}  // namespace pemu::tape
