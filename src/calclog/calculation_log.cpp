#include "calclog/calculation_log.hpp"

#include <cerrno>
#include <cstring>

#include "arithmetic/text_lines.hpp"
#include "platform/file_lock.hpp"

namespace pemu::calclog {

std::string AppendRun(std::string existing, std::string_view clearedText, std::string_view tapeText,
                      bool keep) {
    std::string text = std::move(existing);
    if (keep) {
        text += clearedText;
        text += tapeText;
    }
    if (!text.empty() && text.back() != 'n') text += kEndMarker;
    if (text.size() > kLogCap) {
        // The oldest text goes; the log then begins at the start of a line. A log another
        // editor saved with CR or LF alone is cut at its own line ends, not emptied.
        text.erase(0, text.size() - kLogCap);
        const std::size_t next = arith::AfterLineEnd(text);
        text.erase(0, next == std::string::npos ? text.size() : next);
    }
    return text;
}

platform::IoResult CreateLogFileWhenMissing(const std::string& logPath) {
    if (platform::PathExists(logPath)) return {};
    platform::IoResult made = platform::CreateNewFile(logPath);
    // Another copy may have made it meanwhile.
    if (made || platform::PathExists(logPath)) return {};
    return made;
}

std::string LogLockPath(const std::string& logPath) {
    return logPath + ".lock";
}

namespace {

// The lock, or the failure to report when another copy kept it for the whole wait. A lock
// file that cannot be made (a read-only folder, a file system without locks) must not cost
// the run its tape: the append then goes ahead unlocked and reports its own failure.
platform::FileLock LockLog(const std::string& logPath, int waitMs, platform::IoResult& failure) {
    platform::FileLock lock = platform::FileLock::Acquire(LogLockPath(logPath), waitMs);
    if (lock.outcome() == platform::FileLock::Outcome::kTimedOut)
        failure = platform::IoResult::Failed(EWOULDBLOCK, lock.what());
    return lock;
}

}  // namespace

LogWriteResult WriteCalculationLog(const std::string& logPath, std::string_view clearedText,
                                   std::string_view tapeText, bool keep, int lockWaitMs) {
    LogWriteResult result;
    const platform::FileLock lock = LockLog(logPath, lockWaitMs, result.io);
    if (!result.io) return result;
    // Only while holding the lock is no other copy in the middle of writing the log.
    if (lock.held()) platform::RemoveAbandonedTemporaries(logPath);
    result.io = CreateLogFileWhenMissing(logPath);
    std::optional<std::string> existing = platform::ReadWholeFile(logPath);
    if (!existing) {
        // Never replace a log that could not be read with this run alone.
        if (result.io.ok) result.io = platform::IoResult::Failed(errno, "read " + logPath);
        return result;
    }
    std::string text = AppendRun(*existing, clearedText, tapeText, keep);
    if (text.empty() || text == *existing) return result;
    result.io = platform::WriteFileAtomically(logPath, text);
    result.changed = result.io.ok;
    return result;
}

platform::IoResult DeleteCalculationLog(const std::string& logPath) {
    platform::IoResult result;
    const platform::FileLock lock = LockLog(logPath, kLogLockWaitMs, result);
    if (!result) return result;
    if (platform::RemoveFile(logPath)) return result;
    const int error = errno;
    if (!platform::PathExists(logPath)) return result;
    return platform::IoResult::Failed(error, "delete " + logPath + ": " + std::strerror(error));
}

}  // namespace pemu::calclog
