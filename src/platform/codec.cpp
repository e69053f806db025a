#include "platform/codec.hpp"

#include <iconv.h>

#include <cerrno>

namespace pemu::platform {
namespace {

// Runs iconv over the whole input, replacing what cannot be converted or decoded.
// `badInputWidth` tells how many input bytes to skip for a bad sequence.
std::string Convert(const char* to, const char* from, std::string_view in,
                    std::string_view replacement) {
    std::string out;
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    out.reserve(in.size() * 2 + 4);
    char* inPtr = const_cast<char*>(in.data());
    size_t inLeft = in.size();
    char buffer[1024];
    while (inLeft > 0) {
        char* outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft);
        out.append(buffer, static_cast<size_t>(outPtr - buffer));
        if (rc != static_cast<size_t>(-1)) continue;
        if (errno == E2BIG) continue;
        // EILSEQ or EINVAL: an undecodable or unmappable character, or a cut sequence.
        out.append(replacement);
        ++inPtr;
        --inLeft;
        // Skip the rest of a UTF-8 sequence so one bad character gives one replacement.
        while (from[0] == 'U' && inLeft > 0 &&
               (static_cast<unsigned char>(*inPtr) & 0xC0) == 0x80) {
            ++inPtr;
            --inLeft;
        }
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view cp932) {
    return Convert("UTF-8", "CP932", cp932, "\xEF\xBF\xBD");
}

std::string Utf8ToCp932(std::string_view utf8) {
    return Convert("CP932", "UTF-8", utf8, "?");
}

}  // namespace pemu::platform
