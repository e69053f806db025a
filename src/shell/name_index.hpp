#pragma once
// Positions of names in a list, found by name without regard to ASCII letter case (as
// SameName compares them). Open addressing over a flat table: a lookup costs about one
// memory access however many names there are, so reading a huge settings file stays linear.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace pemu::shell {

// ASCII case-insensitive equality that steps over CP932 double-byte characters.
bool SameName(std::string_view a, std::string_view b);
// A hash that is equal for names SameName matches.
std::uint64_t NameHash(std::string_view name);

class NameIndex {
  public:
    static constexpr std::size_t npos = static_cast<std::size_t>(-1);

    // The position of the name SameName matches, or npos; nameAt(position) gives the name
    // stored at a position of the list.
    template <class NameAt>
    std::size_t Find(std::string_view name, const NameAt& nameAt) const {
        if (slots_.empty()) return npos;
        const std::uint64_t hash = NameHash(name);
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
            const Slot& slot = slots_[i];
            if (slot.position == npos) return npos;
            if (slot.hash == hash && SameName(nameAt(slot.position), name)) return slot.position;
        }
    }
    // The name must not be in the index yet.
    void Insert(std::string_view name, std::size_t position);
    void Clear();

  private:
    struct Slot {
        std::uint64_t hash = 0;
        std::size_t position = npos;
    };
    void Place(Slot slot);

    std::vector<Slot> slots_;  // a power of two in size, at most half full
    std::size_t count_ = 0;
};

}  // namespace pemu::shell
