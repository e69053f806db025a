#pragma once
// The tape text: every line of the check tape as CP932 bytes, each ended by CR LF, with its
// line count and the texts of the tapes cleared during the run.
#include <cstddef>
#include <string>
#include <string_view>

namespace pemu::tape {

// A stored line is cut to this many bytes (CR LF included).
inline constexpr std::size_t kLineMax = 299;

class LOG {
  public:
    // value + label + mark + CR LF, the whole cut at kLineMax bytes; one line more.
    void AddLineText(std::string_view value, std::string_view label, std::string_view mark);
    // Deletes the last n lines; n above the line count empties the tape.
    void RemoveLastLines(int n);
    // Replaces length bytes at the 0-based offset start (clamped to the text); the caller
    // adjusts the line count.
    void ReplaceTapeText(std::size_t start, std::size_t length, std::string_view text);
    // Erases length bytes from the 1-based position (clamped); the caller adjusts the count.
    void EraseTapeText(std::size_t position, std::size_t length);
    // Inserts text before the 1-based position (beyond the end: appended).
    void InsertTapeText(std::string_view text, std::size_t position);
    void ClearTapeText();
    void KeepCleared(std::string_view text);

    const std::string& TapeText() const { return tapeText_; }
    const std::string& ClearedText() const { return clearedText_; }
    // The byte at the 1-based index, 0 outside the text.
    char CharAt(std::size_t index) const;
    int LineCount() const { return lineCount_; }
    void AdjustLineCount(int delta) { lineCount_ += delta; }

    // The last line without its CR LF; empty when there is none.
    std::string_view LastLine() const;
    // 0-based offset of the first byte of the n-th line counted from the end (1 = last),
    // or npos when the tape has fewer lines.
    std::size_t LineStartFromEnd(int n) const;

  private:
    std::string tapeText_;
    std::string clearedText_;
    int lineCount_ = 0;
};

}  // namespace pemu::tape
