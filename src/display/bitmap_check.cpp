#include "display/bitmap_check.hpp"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

namespace pemu::display {
namespace {

constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3, kAlphaBitFields = 6;
constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;  // OS/2 1.x: 16-bit sizes, 3-byte palette
constexpr std::uint32_t kInfoHeaderSize = 40;

std::uint32_t U16(std::string_view b, std::size_t at) {
    return static_cast<std::uint32_t>(static_cast<unsigned char>(b[at])) |
           static_cast<std::uint32_t>(static_cast<unsigned char>(b[at + 1])) << 8;
}
std::uint32_t U32(std::string_view b, std::size_t at) {
    return U16(b, at) | U16(b, at + 2) << 16;
}

struct Layout {
    std::int64_t width = 0;
    std::int64_t height = 0;  // rows, whatever their order in the file
    std::uint32_t bits = 0;
    std::uint32_t compression = kRgb;
    std::uint64_t paletteAt = 0;
    std::uint64_t colours = 0;   // palette entries
    std::uint64_t pixelsAt = 0;  // where the decoder starts reading pixels
};

bool KnownHeaderSize(std::uint32_t size) {
    return size == kCoreHeaderSize || size == kInfoHeaderSize || size == 52 || size == 56 ||
           size == 64 || size == 108 || size == 124;
}

bool KnownFormat(const Layout& l) {
    switch (l.compression) {
        case kRgb:
            return l.bits == 1 || l.bits == 4 || l.bits == 8 || l.bits == 16 || l.bits == 24 ||
                   l.bits == 32;
        case kRle8:
            return l.bits == 8;
        case kRle4:
            return l.bits == 4;
        case kBitFields:
        case kAlphaBitFields:
            return l.bits == 16 || l.bits == 32;
        default:
            return false;
    }
}

// Walks a run-length stream, handing each pixel inside the width to put(x, row, index)
// (row 0 at the bottom). True when the stream ends (end-of-bitmap code, or the line
// ends of every row) before the bytes run out.
template <class Put>
bool WalkRunLength(std::string_view data, const Layout& l, Put put) {
    const bool rle8 = l.compression == kRle8;
    const auto nibbles = [rle8](unsigned char byte, std::int64_t i) {
        return rle8 ? byte : (i % 2 == 0 ? byte >> 4 : byte & 0x0F);
    };
    std::size_t p = 0;
    std::int64_t row = 0, x = 0;
    // Pixels right of the width are skipped, so a hostile stream costs no more than its area.
    const auto Visible = [&](std::int64_t n) {
        return std::clamp<std::int64_t>(l.width - x, 0, n);
    };
    while (p + 2 <= data.size()) {
        const auto count = static_cast<unsigned char>(data[p]);
        const auto code = static_cast<unsigned char>(data[p + 1]);
        p += 2;
        if (count > 0) {  // a run: `count` pixels of one index (two alternating in RLE4)
            for (std::int64_t i = 0; i < Visible(count); ++i)
                put(x + i, row, nibbles(code, i));
            x += count;
        } else if (code == 0) {  // end of line
            x = 0;
            if (++row >= l.height) return true;
        } else if (code == 1) {  // end of bitmap
            return true;
        } else if (code == 2) {  // move right and up
            if (p + 2 > data.size()) return false;
            x += static_cast<unsigned char>(data[p]);
            row += static_cast<unsigned char>(data[p + 1]);
            p += 2;
            if (row >= l.height) return true;
        } else {  // `code` pixels as they stand, padded to a 16-bit boundary
            std::size_t bytes = rle8 ? code : (code + 1u) / 2;
            bytes += bytes % 2;
            if (p + bytes > data.size()) return false;
            for (std::int64_t i = 0; i < Visible(code); ++i) {
                const auto byte = static_cast<unsigned char>(
                    data[p + static_cast<std::size_t>(rle8 ? i : i / 2)]);
                put(x + i, row, nibbles(byte, i));
            }
            x += code;
            p += bytes;
        }
    }
    return false;
}

// Reads the headers; `complete` when the palette and the pixel data are all there.
BitmapCheck ReadLayout(std::string_view bytes, Layout& l) {
    if (bytes.size() < kFileHeaderSize + 4 || bytes[0] != 'B' || bytes[1] != 'M')
        return BitmapCheck::kNotBitmap;
    const std::uint32_t offBits = U32(bytes, 10);
    const std::uint32_t headerSize = U32(bytes, kFileHeaderSize);
    if (!KnownHeaderSize(headerSize)) return BitmapCheck::kNotBitmap;
    if (bytes.size() < kFileHeaderSize + headerSize) return BitmapCheck::kTruncated;
    std::uint64_t paletteEntry = 4, colours = 0, masks = 0;
    if (headerSize == kCoreHeaderSize) {
        l.width = U16(bytes, 18);
        l.height = U16(bytes, 20);
        l.bits = U16(bytes, 24);
        paletteEntry = 3;
    } else {
        l.width = static_cast<std::int32_t>(U32(bytes, 18));
        l.height = std::llabs(static_cast<std::int32_t>(U32(bytes, 22)));
        l.bits = U16(bytes, 28);
        l.compression = U32(bytes, 30);
        colours = U32(bytes, 46);
        // The masks of a plain info header follow it; later headers hold them inside.
        if (headerSize == kInfoHeaderSize && l.compression == kBitFields) masks = 12;
        if (headerSize == kInfoHeaderSize && l.compression == kAlphaBitFields) masks = 16;
    }
    if (!KnownFormat(l)) return BitmapCheck::kNotBitmap;
    if (l.width <= 0 || l.height <= 0) return BitmapCheck::kNotBitmap;
    if (l.width > kMaxBitmapSide || l.height > kMaxBitmapSide) return BitmapCheck::kTooLarge;
    if (l.bits > 8) {
        colours = 0;
    } else if (colours == 0) {
        colours = 1u << l.bits;
    } else if (colours > (1u << l.bits)) {
        return BitmapCheck::kNotBitmap;  // the palette would run into the pixels
    }
    const std::uint64_t paletteEnd = kFileHeaderSize + headerSize + masks + colours * paletteEntry;
    if (bytes.size() < paletteEnd) return BitmapCheck::kTruncated;
    // A decoder seeks forward to the pixel offset, never back into the headers.
    l.paletteAt = kFileHeaderSize + headerSize + masks;
    l.colours = colours;
    l.pixelsAt = std::max<std::uint64_t>(offBits, paletteEnd);
    if (l.pixelsAt > bytes.size()) return BitmapCheck::kTruncated;
    const std::string_view data = bytes.substr(l.pixelsAt);
    if (l.compression == kRle8 || l.compression == kRle4) {
        const bool ends = WalkRunLength(data, l, [](std::int64_t, std::int64_t, unsigned) {});
        return ends ? BitmapCheck::kComplete : BitmapCheck::kTruncated;
    }
    const std::uint64_t rowBytes = (static_cast<std::uint64_t>(l.width) * l.bits + 31) / 32 * 4;
    return data.size() >= rowBytes * static_cast<std::uint64_t>(l.height) ? BitmapCheck::kComplete
                                                                          : BitmapCheck::kTruncated;
}

}  // namespace

BitmapCheck CheckBitmapBytes(std::string_view bytes) {
    Layout layout;
    return ReadLayout(bytes, layout);
}

std::string UncompressedBitmap(std::string_view bytes) {
    Layout l;
    if (ReadLayout(bytes, l) != BitmapCheck::kComplete) return {};
    if (l.compression != kRle8 && l.compression != kRle4) return std::string(bytes);
    // An 8-bit bitmap of the same palette; pixels the stream skips keep index 0.
    const auto stride = static_cast<std::size_t>((l.width + 3) / 4 * 4);
    const auto rows = static_cast<std::size_t>(l.height);
    const std::size_t palette = l.colours * 4;
    const std::size_t pixelsAt = kFileHeaderSize + kInfoHeaderSize + palette;
    std::string out(pixelsAt + stride * rows, '\0');
    const auto put = [&out](std::size_t at, std::uint32_t value, int n) {
        for (int i = 0; i < n; ++i)
            out[at + static_cast<std::size_t>(i)] = static_cast<char>(value >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put(2, static_cast<std::uint32_t>(out.size()), 4);
    put(10, static_cast<std::uint32_t>(pixelsAt), 4);
    put(14, kInfoHeaderSize, 4);
    put(18, static_cast<std::uint32_t>(l.width), 4);
    put(22, static_cast<std::uint32_t>(l.height), 4);
    put(26, 1, 2);
    put(28, 8, 2);
    put(46, static_cast<std::uint32_t>(l.colours), 4);
    out.replace(kFileHeaderSize + kInfoHeaderSize, palette, bytes.substr(l.paletteAt, palette));
    WalkRunLength(bytes.substr(l.pixelsAt), l,
                  [&](std::int64_t x, std::int64_t row, unsigned index) {
                      if (row < l.height)
                          out[pixelsAt + static_cast<std::size_t>(row) * stride +
                              static_cast<std::size_t>(x)] = static_cast<char>(index);
                  });
    return out;
}

}  // namespace pemu::display
