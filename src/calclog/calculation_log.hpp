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

// Every running copy appends to the one log: each takes the lock of this file, beside the
// log, around reading and rewriting it, so two copies ending at once keep both their tapes.
std::string LogLockPath(const std::string& logPath);
// How long a copy waits for another to finish its append (a few milliseconds as a rule).
inline constexpr int kLogLockWaitMs = 10000;

struct LogWriteResult {
    platform::IoResult io;
    bool changed = false;  // the file was rewritten
};

// Under the log's lock: creates the file empty when missing, removes what a copy that died
// while writing it left, then rewrites it atomically with AppendRun. When the file cannot be
// read it is left untouched (never replaced by this run alone) and the failure is reported;
// so is a lock another copy keeps beyond kLogLockWaitMs. A lock that cannot be made at all
// does not stop the append. An empty result leaves the file as it is.
LogWriteResult WriteCalculationLog(const std::string& logPath, std::string_view clearedText,
                                   std::string_view tapeText, bool keep,
                                   int lockWaitMs = kLogLockWaitMs);

// The log viewer's delete, under the log's lock: never in the middle of another copy's
// append, which would bring the deleted text back. A missing file counts as deleted.
platform::IoResult DeleteCalculationLog(const std::string& logPath);

}  // namespace pemu::calclog
