// CP932 through the system's own code page 932 tables. Bytes Windows would map to private
// characters (0x80, 0xA0, 0xFD..0xFF) count as invalid, as they do in the POSIX converter,
// so both systems read a stored text the same way.
#include <windows.h>

#include "platform/codec.hpp"

namespace pemu::platform {
namespace {

constexpr UINT kCp932 = 932;

bool IsLeadByte(unsigned char b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC);
}

bool IsPrivateSingleByte(unsigned char b) {
    return b == 0x80 || b == 0xA0 || b >= 0xFD;
}

// One CP932 character (1 or 2 bytes) as UTF-16; empty when the bytes are no character.
std::wstring DecodeOne(const char* bytes, int length) {
    wchar_t wide[2];
    const int n = ::MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, bytes, length, wide, 2);
    return n > 0 ? std::wstring(wide, static_cast<std::size_t>(n)) : std::wstring();
}

std::string Utf8Of(const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n =
        ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(n), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, out.data(), n, nullptr, nullptr);
    return out;
}

// Length of the UTF-8 sequence starting with `b`, 0 for a byte no sequence starts with.
int SequenceLength(unsigned char b) {
    if (b < 0x80) return 1;
    if (b >= 0xC2 && b <= 0xDF) return 2;
    if (b >= 0xE0 && b <= 0xEF) return 3;
    if (b >= 0xF0 && b <= 0xF4) return 4;
    return 0;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    std::wstring wide;
    wide.reserve(cp932.size());
    std::size_t i = 0;
    while (i < cp932.size()) {
        const auto b = static_cast<unsigned char>(cp932[i]);
        const int length = IsLeadByte(b) && i + 1 < cp932.size() ? 2 : 1;
        std::wstring one;
        if (!IsPrivateSingleByte(b) && !(IsLeadByte(b) && length == 1))
            one = DecodeOne(cp932.data() + i, length);
        if (one.empty()) {
            // One bad byte, one replacement; the next byte starts afresh.
            wide += L'\xFFFD';
            ++i;
            continue;
        }
        wide += one;
        i += static_cast<std::size_t>(length);
    }
    return Utf8Of(wide);
}

std::string Utf8ToCp932(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::size_t i = 0;
    while (i < utf8.size()) {
        const auto b = static_cast<unsigned char>(utf8[i]);
        int length = SequenceLength(b);
        wchar_t wide[2];
        int wideLength = 0;
        if (length > 0 && i + static_cast<std::size_t>(length) <= utf8.size()) {
            wideLength = ::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data() + i,
                                               length, wide, 2);
        }
        if (wideLength <= 0) {
            // Not UTF-8: one '?', and the rest of the broken sequence is skipped with it.
            out += '?';
            ++i;
            while (i < utf8.size() && (static_cast<unsigned char>(utf8[i]) & 0xC0) == 0x80)
                ++i;
            continue;
        }
        char bytes[4];
        BOOL usedDefault = FALSE;
        const int n = ::WideCharToMultiByte(kCp932, WC_NO_BEST_FIT_CHARS, wide, wideLength, bytes,
                                            sizeof bytes, nullptr, &usedDefault);
        if (n <= 0 || usedDefault) {
            out += '?';
        } else {
            out.append(bytes, static_cast<std::size_t>(n));
        }
        i += static_cast<std::size_t>(length);
    }
    return out;
}

}  // namespace pemu::platform
