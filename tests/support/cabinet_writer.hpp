#pragma once
// Test support: writes a real Microsoft cabinet file with stored (uncompressed) data, so a
// test can hand libmspack any name at all, ".." and absolute ones included.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace pemu::testing {

struct CabinetMember {
    std::string name;  // stored as given ('\' separates folders)
    std::string bytes;
    bool utf8Name = false;
};

inline std::string CabinetBytes(const std::vector<CabinetMember>& members) {
    const auto put16 = [](std::string& s, std::uint32_t v) {
        s += static_cast<char>(v & 0xFF);
        s += static_cast<char>((v >> 8) & 0xFF);
    };
    const auto put32 = [&](std::string& s, std::uint32_t v) {
        put16(s, v & 0xFFFF);
        put16(s, v >> 16);
    };
    std::string all;
    std::string files;
    for (const CabinetMember& m : members) {
        put32(files, static_cast<std::uint32_t>(m.bytes.size()));
        put32(files, static_cast<std::uint32_t>(all.size()));  // offset in the folder
        put16(files, 0);                                       // folder 0
        put16(files, 0x5A21);                                  // 2025-01-01
        put16(files, 0);
        put16(files, m.utf8Name ? 0xA0 : 0x20);
        files += m.name;
        files += '\0';
        all += m.bytes;
    }
    // Stored data in blocks of at most 32 KiB, no checksums.
    std::string blocks;
    std::uint32_t blockCount = 0;
    for (std::size_t at = 0; at < all.size() || blockCount == 0; at += 32768) {
        const std::string chunk = all.substr(at, 32768);
        put32(blocks, 0);
        put16(blocks, static_cast<std::uint32_t>(chunk.size()));
        put16(blocks, static_cast<std::uint32_t>(chunk.size()));
        blocks += chunk;
        ++blockCount;
        if (all.empty()) break;
    }
    const std::uint32_t header = 36, folder = 8;
    const std::uint32_t filesAt = header + folder;
    const std::uint32_t dataAt = filesAt + static_cast<std::uint32_t>(files.size());
    std::string cab = "MSCF";
    put32(cab, 0);
    put32(cab, dataAt + static_cast<std::uint32_t>(blocks.size()));
    put32(cab, 0);
    put32(cab, filesAt);
    put32(cab, 0);
    cab += '\x03';
    cab += '\x01';
    put16(cab, 1);
    put16(cab, static_cast<std::uint32_t>(members.size()));
    put16(cab, 0);
    put16(cab, 0x1234);
    put16(cab, 0);
    put32(cab, dataAt);
    put16(cab, blockCount);
    put16(cab, 0);  // stored, no compression
    return cab + files + blocks;
}

}  // namespace pemu::testing
