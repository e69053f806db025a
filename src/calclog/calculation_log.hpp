#pragma once
// The calculation log: the tapes of earlier runs, appended at every shut-down, capped in
// size. Texts are CP932 bytes.
#include <cstddef>
#include <string>
#include <string_view>

#include "platform/file_system.hpp"

namespace pemu::calclog {

inline constexpr std::size_t kLogCap = 100000;
// " " CR LF "On": ends each run's part; "On" begins the next run's first line.
inline constexpr std::string_view kEndMarker = " \r\nOn";

// The new log text: `existing`, then (when keep) the cleared tapes and the last tape, the end
// marker when the text does not end with 'n', then cut from the front to at most kLogCap
// bytes so that it begins at a line start. Bytes are never reinterpreted.
std::string AppendRun(std::string existing, std::string_view clearedText, std::string_view tapeText,
                      bool keep);

// Creates the log file empty when it does not exist; an existing file is not touched.
platform::IoResult CreateLogFileWhenMissing(const std::string& logPath);

struct LogWriteResult {
    platform::IoResult io;
    bool changed = false;  // the file was rewritten
};

// Creates the file empty when missing, then rewrites it atomically with AppendRun. When the
// file cannot be read it is left untouched (never replaced by this run alone) and the
// failure is reported. An empty result leaves the file as it is.
LogWriteResult WriteCalculationLog(const std::string& logPath, std::string_view clearedText,
                                   std::string_view tapeText, bool keep);

}  // namespace pemu::calclog
