#pragma once
// What the log viewer shows and saves, without a window: the log file followed by this
// run's tapes, and every line cut or padded to the 30 columns a saved or printed log has.
// Texts are CP932 bytes.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.hpp"

namespace pemu::calclog {

inline constexpr std::size_t kLogLineWidth = 30;

// The viewer's text: the log file, then the tapes cleared in this run, then the tape.
std::string LogViewText(std::string_view logFile, std::string_view clearedText,
                        std::string_view tapeText);

struct LogRead {
    platform::IoResult io;
    std::string text;  // empty when the file could not be read
};
// Creates the log file empty when it is missing, then reads it whole.
LogRead ReadLogFile(const std::string& logPath);

// White space off both ends; a line of 30 bytes or more keeps its last 30, a shorter one is
// right-aligned in 30 with spaces. A double-byte character the cut would halve becomes a
// space, so the line stays 30 columns wide and valid CP932.
std::string FormatLogLine(std::string_view line);

// The lines of a text, ended by CR LF, LF or a CR alone. The last piece is a line too unless
// it is empty, so a text ending in a line break has no extra empty line.
std::vector<std::string_view> SplitLogLines(std::string_view text);

// The bytes a save writes: every line as FormatLogLine + CR LF, the last one as well.
std::string SavedLogText(std::string_view text);
// Writes SavedLogText(text) to `path`, replacing it whole or not at all.
platform::IoResult SaveLogText(const std::string& path, std::string_view text);

// Text sizes the viewer offers; any other becomes 12.
inline constexpr int kLogFontSizes[] = {10, 12, 14, 16, 18, 20, 22, 30, 40};
int AcceptedLogFontSize(int size);

}  // namespace pemu::calclog
