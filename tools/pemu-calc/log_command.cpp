// pemu-calc log: a calculation log (or any tape text) in the 30-column form the log viewer
// saves, or where each line lands on the printed pages.
#include <istream>
#include <iterator>
#include <ostream>
#include <string>
#include <vector>

#include "calclog/log_pages.hpp"
#include "calclog/log_view.hpp"
#include "command.hpp"
#include "platform/codec.hpp"
#include "platform/file_system.hpp"

namespace pemu::calc {

namespace {

constexpr const char* kUsage =
    "  log [--pages] [FILE]           a log file (CP932; standard input without FILE) as the\n"
    "                                log viewer saves it: every line in 30 columns, UTF-8;\n"
    "                                --pages: 'page column row<TAB>line' as it is printed";

// A position in printer pixels back to its column and row (from 1).
int Ordinal(int pixels, int firstMm, int stepMm, int mm) {
    return (pixels / mm - firstMm) / stepMm + 1;
}

int RunLog(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
           std::ostream& err) {
    bool pages = false;
    std::string file;
    for (const std::string& arg : args) {
        if (arg == "--pages") {
            pages = true;
        } else if (arg.rfind("--", 0) == 0 || !file.empty()) {
            err << "pemu-calc log: unexpected argument '" << arg << "'\n" << kUsage << "\n";
            return kUsageError;
        } else {
            file = arg;
        }
    }
    std::string text;
    if (file.empty()) {
        text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } else if (auto bytes = platform::ReadWholeFile(file)) {
        text = std::move(*bytes);
    } else {
        err << "pemu-calc log: cannot read " << file << "\n";
        return 1;
    }
    if (!pages) {
        for (std::string_view line : calclog::SplitLogLines(text))
            out << platform::Cp932ToUtf8(calclog::FormatLogLine(line)) << "\n";
        return 0;
    }
    // Any resolution gives the same columns and rows: ten pixels a millimetre.
    constexpr int kDpi = 254;
    const int mm = calclog::PixelsPerMillimetre(kDpi);
    for (const calclog::PrintedPage& page : calclog::LayoutLogPages(text, kDpi)) {
        for (const calclog::PrintedText& line : page.lines) {
            out << page.number << ' '
                << Ordinal(line.x, calclog::kFirstColumnMm, calclog::kColumnStepMm, mm) << ' '
                << Ordinal(line.y, calclog::kFirstLineMm, calclog::kLineStepMm, mm) << '\t'
                << platform::Cp932ToUtf8(line.text) << "\n";
        }
    }
    return 0;
}

const bool registered = RegisterCommand({"log", kUsage, RunLog});

}  // namespace

}  // namespace pemu::calc
