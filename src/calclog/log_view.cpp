#include "calclog/log_view.hpp"

#include <algorithm>
#include <cerrno>
#include <iterator>

#include "arithmetic/text.hpp"
#include "arithmetic/text_lines.hpp"
#include "calclog/calculation_log.hpp"

namespace pemu::calclog {

std::string LogViewText(std::string_view logFile, std::string_view clearedText,
                        std::string_view tapeText) {
    std::string text;
    text.reserve(logFile.size() + clearedText.size() + tapeText.size());
    text.append(logFile).append(clearedText).append(tapeText);
    return text;
}

LogRead ReadLogFile(const std::string& logPath) {
    LogRead read;
    read.io = CreateLogFileWhenMissing(logPath);
    if (!read.io) return read;
    if (auto bytes = platform::ReadWholeFile(logPath)) {
        read.text = std::move(*bytes);
    } else {
        read.io = platform::IoResult::Failed(errno, "read " + logPath);
    }
    return read;
}

std::string FormatLogLine(std::string_view line) {
    std::string text(line);
    arith::TrimSpaces(text);
    if (text.size() < kLogLineWidth) return std::string(kLogLineWidth - text.size(), ' ') + text;
    const std::size_t cut = text.size() - kLogLineWidth;
    std::size_t at = 0;  // the first character boundary at or after the cut
    while (at < cut) {
        const bool pair =
            arith::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size();
        at += pair ? 2 : 1;
    }
    std::string kept = text.substr(cut);
    if (at > cut) kept[0] = ' ';  // the trail byte of a character that began before the cut
    return kept;
}

std::vector<std::string_view> SplitLogLines(std::string_view text) {
    return arith::SplitLines(text);
}

std::string SavedLogText(std::string_view text) {
    std::string saved;
    for (std::string_view line : SplitLogLines(text))
        saved.append(FormatLogLine(line)).append("\r\n");
    return saved;
}

platform::IoResult SaveLogText(const std::string& path, std::string_view text) {
    return platform::WriteFileAtomically(path, SavedLogText(text));
}

int AcceptedLogFontSize(int size) {
    const bool offered = std::find(std::begin(kLogFontSizes), std::end(kLogFontSizes), size) !=
                         std::end(kLogFontSizes);
    return offered ? size : 12;
}

}  // namespace pemu::calclog
