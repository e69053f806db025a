#pragma once
// Small text operations on CP932 bytes held in std::string.
//
// Conventions shared by every function here:
// - positions given or returned are 1-based; a search returns 0 when nothing is found;
// - a `size` is the size of the fixed buffer the text stands for, its terminator included,
//   so a result holds at most size - 1 bytes (AppendBounded: size - 2); size 0 is invalid
//   where a function does not say otherwise and then gives an empty result;
// - single-byte searches skip both bytes of a double-byte character, whose lead byte comes
//   from the fixed CP932 ranges, never from the process locale;
// - nothing fails or reports: positions outside the text make an operation a no-op or give
//   an empty result, and size limits cut.
#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

namespace pemu::arith {

// Pass as a size when no cut is wanted (the largest int, as the callers did).
inline constexpr std::size_t kNoSizeLimit = 2147483647;

// 0x81-0x9F and 0xE0-0xFC.
bool IsLeadByte(unsigned char byte);
// True when the byte at 0-based pos is the lead byte of a lead/trail pair or the trail
// byte after one; false outside the text. A lead byte with no byte after it is single.
bool IsInDoubleByteChar(std::string_view s, std::size_t pos);

// s cut to at most maxBytes, never leaving half of a double-byte character.
std::string CutWholeChars(std::string_view s, std::size_t maxBytes);

// First byte equal to ch outside double-byte characters.
int FindChar(std::string_view s, char ch);
// First occurrence of sub, plain byte search; an empty sub is not found.
int FindText(std::string_view s, std::string_view sub);

// dst = src cut to size - 1 bytes; size 0 copies all of src.
std::string& CopyBounded(std::string& dst, std::string_view src, std::size_t size);
// Appends src so that dst holds at most size - 2 bytes; a dst already that long is kept.
std::string& AppendBounded(std::string& dst, std::string_view src, std::size_t size);
// dst = s1 + s2 (+ s3 + s4 + s5), cut to size - 1 bytes.
std::string& JoinBounded(std::string& dst, std::string_view s1, std::string_view s2,
                         std::size_t size);
std::string& Join5Bounded(std::string& dst, std::string_view s1, std::string_view s2,
                          std::string_view s3, std::string_view s4, std::string_view s5,
                          std::size_t size);
// Appends s1..s5, the whole cut to size - 1 bytes.
std::string& Append5Bounded(std::string& dst, std::string_view s1, std::string_view s2,
                            std::string_view s3, std::string_view s4, std::string_view s5,
                            std::size_t size);

// Removes count bytes from pos (no-op when pos is outside the text or count <= 0), then
// cuts s to size - 1 bytes.
std::string& DeleteChars(std::string& s, int pos, int count, std::size_t size);
// The count bytes of src from pos, at most size - 1 and never past its end; empty when
// pos < 1, pos > length or count <= 0.
std::string CopyMid(std::string_view src, int pos, std::size_t size, int count);
// Inserts src before the byte at pos; pos beyond the end appends (AppendBounded's rule);
// pos < 1 inserts at the front. Bytes that do not fit in size - 1 are dropped from the end.
std::string& InsertText(std::string& dst, std::string_view src, int pos, std::size_t size);
// count copies of ch, at most size - 1; empty when count <= 0.
std::string FillChars(char ch, int count, std::size_t size);
std::string ReverseCopy(std::string_view src);
void ReverseInPlace(std::string& s);

// Removes leading and trailing blank, tab, vertical tab, CR, LF and form feed.
void TrimSpaces(std::string& s);
// The part from the first to the last byte not in set; empty when all are in set.
std::string TrimSet(std::string_view text, std::string_view set);
// The same part as a view into text.
std::string_view TrimmedView(std::string_view text, std::string_view set);

// Difference of the first differing bytes after ASCII upper-casing (the end of a text
// counts as 0); 0 when equal. Bytes outside ASCII are compared as they are.
int CompareNoCase(std::string_view a, std::string_view b);
// The first two bytes agree (a text shorter than two counts its end as 0).
bool SameFirstTwo(std::string_view a, std::string_view b);
std::string IntToText(int n);

// "[YYYY/MM/DD hh:mm:ss]" of the given broken-down time, or of the local time now.
std::string TimeStamp(const std::tm& time);
std::string TimeStamp();

// Mode 1 only (any other mode: empty). Ignoring up to two trailing separators, the text
// after the last separator that is not a trail byte; the first byte of path never belongs
// to the result. Separators: '\\' and, on this platform, '/' as well.
std::string LastPathElement(std::string_view path, int mode);
// src up to and including its third '/', or all of it; at most 280 bytes.
std::string CopyUpToThirdSlash(std::string_view src);
// From 1-based start on, every single byte equal to from becomes to; double-byte
// characters are skipped whole.
std::string& ReplaceChar(std::string& s, int start, char from, char to);
// Outside double-byte characters: '"' or any of * , . / ; < > ? \ _ |
bool HasBadFileChar(std::string_view s);
// The first three bytes mapped to half-width forms: full-width ASCII and the ideographic
// space to ASCII, full-width katakana and their marks to half-width katakana (a voiced one
// becomes two bytes). Other bytes and the rest of s are kept as they are.
void ToHalfWidth3(std::string& s);

}  // namespace pemu::arith
