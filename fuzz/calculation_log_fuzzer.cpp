// The calculation log at shut-down, whatever the file held: the result is never longer than
// the cap, keeps the newest text, begins at a line start after a cut, ends with the end
// marker, and the file is rewritten with exactly that (or left alone). The log viewer then
// reads the file back: every line it saves or prints is 30 columns, none lost.
//
// Input: byte 0 how often the old text repeats (x 4, so a few bytes pass the cap), bytes 1
// and 2 the lengths of the old text and the cleared tapes, byte 3 bit 0 "LogHozon", then the
// three texts (the last tape is the rest).
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include "calclog/calculation_log.hpp"
#include "calclog/log_pages.hpp"
#include "calclog/log_view.hpp"
#include "fuzz_support.hpp"
#include "platform/file_system.hpp"

namespace {

using namespace pemu::calclog;
using pemu::fuzz::Require;

struct Run {
    std::string existing;
    std::string cleared;
    std::string tape;
    bool keep = true;
};

Run Split(std::string_view in) {
    Run run;
    if (in.size() < 4) return run;
    const std::size_t repeats = static_cast<unsigned char>(in[0]) * 4u;
    const std::size_t oldLength = static_cast<unsigned char>(in[1]);
    const std::size_t clearedLength = static_cast<unsigned char>(in[2]);
    run.keep = (in[3] & 1) != 0;
    in.remove_prefix(4);
    const std::string_view piece = in.substr(0, std::min(oldLength, in.size()));
    in.remove_prefix(piece.size());
    for (std::size_t i = 0; i < std::max<std::size_t>(repeats, 1); ++i)
        run.existing += piece;
    run.cleared = std::string(in.substr(0, std::min(clearedLength, in.size())));
    in.remove_prefix(run.cleared.size());
    run.tape = std::string(in);
    return run;
}

void CheckAppended(const Run& run, const std::string& result) {
    std::string whole = run.existing;
    if (run.keep) whole += run.cleared + run.tape;
    if (!whole.empty() && whole.back() != 'n') whole += kEndMarker;
    Require(result.size() <= kLogCap);
    if (whole.size() <= kLogCap) {
        Require(result == whole);
        return;
    }
    // The oldest text went, up to and including the first line end inside the kept part: CR LF,
    // LF or CR alone (an LF right after the cut ends the line its CR began).
    const std::size_t end = whole.find_first_of("\r\n", whole.size() - kLogCap);
    const bool crLf = end != std::string::npos && whole[end] == '\r' && end + 1 < whole.size() &&
                      whole[end + 1] == '\n';
    const std::size_t start = end == std::string::npos ? whole.size() : end + (crLf ? 2 : 1);
    Require(result == whole.substr(start));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const Run run = Split(pemu::fuzz::Bytes(data, size));
    const std::string result = AppendRun(run.existing, run.cleared, run.tape, run.keep);
    CheckAppended(run, result);
    Require(result.empty() || result.back() == 'n');

    const std::string path = pemu::fuzz::ScratchFolder() + "KenzanLog.txt";
    Require(pemu::platform::WriteFileAtomically(path, run.existing).ok);
    const LogWriteResult written = WriteCalculationLog(path, run.cleared, run.tape, run.keep);
    Require(written.io.ok);
    const auto file = pemu::platform::ReadWholeFile(path);
    Require(file.has_value());
    const bool unchanged = result.empty() || result == run.existing;
    Require(*file == (unchanged ? run.existing : result));
    Require(written.changed == !unchanged);

    const LogRead read = ReadLogFile(path);
    Require(read.io.ok && read.text == *file);
    const std::string view = LogViewText(read.text, run.cleared, run.tape);
    // The viewer works line by line: short texts reach every case, many more per second.
    if (view.size() > 16384) return 0;
    const std::size_t lines = SplitLogLines(view).size();
    Require(SavedLogText(view).size() == lines * (kLogLineWidth + 2));
    std::size_t printed = 0;
    for (const PrintedPage& page : LayoutLogPages(view, 600))
        printed += page.lines.size();
    Require(printed == lines);
    return 0;
}
