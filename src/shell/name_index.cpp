#include "shell/name_index.hpp"

#include "arithmetic/text.hpp"

namespace pemu::shell {
namespace {

char FoldAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

// Calls f(byte) for each byte of the name with its single-byte letters in upper case; the
// trail byte of a double-byte character may look like an ASCII letter and stays as it is.
template <class F>
void ForEachFoldedByte(std::string_view name, F f) {
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (arith::IsLeadByte(static_cast<unsigned char>(name[i])) && i + 1 < name.size()) {
            f(name[i]);
            f(name[++i]);
        } else {
            f(FoldAscii(name[i]));
        }
    }
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (arith::IsLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
            continue;
        }
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

std::uint64_t NameHash(std::string_view name) {
    std::uint64_t h = 0xcbf29ce484222325ULL;  // FNV-1a, then a final mix for the low bits
    ForEachFoldedByte(name, [&h](char c) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    });
    h ^= h >> 33;
    h *= 0xff51afd7ed558ccdULL;
    h ^= h >> 33;
    return h;
}

void NameIndex::Insert(std::string_view name, std::size_t position) {
    if (2 * (count_ + 1) > slots_.size()) {
        std::vector<Slot> old(slots_.empty() ? 8 : 2 * slots_.size());
        old.swap(slots_);
        for (const Slot& slot : old)
            if (slot.position != npos) Place(slot);
    }
    Place({NameHash(name), position});
    ++count_;
}

void NameIndex::Place(Slot slot) {
    const std::size_t mask = slots_.size() - 1;
    std::size_t i = slot.hash & mask;
    while (slots_[i].position != npos)
        i = (i + 1) & mask;
    slots_[i] = slot;
}

void NameIndex::Clear() {
    slots_.clear();
    count_ = 0;
}

}  // namespace pemu::shell
