// pemu-calc log-csv FILE: a calculation log (KenzanLog.txt, CP932) as CSV for spreadsheets.
#include <fstream>
#include <ostream>
#include <sstream>

#include "command.hpp"
#include "tape/tape_csv.hpp"

namespace pemu::calc {
namespace {

int RunLogCsv(const std::vector<std::string>& args, std::istream&, std::ostream& out,
              std::ostream& err) {
    if (args.size() != 1) {
        err << "pemu-calc log-csv: expected one file (a calculation log such as KenzanLog.txt)\n";
        return kUsageError;
    }
    std::ifstream in(args[0], std::ios::binary);
    std::ostringstream text;
    if (!in || !(text << in.rdbuf()) || in.bad()) {
        // An empty file reads as no bytes at all: that is an empty log, not an error.
        if (!in.is_open() || in.bad()) {
            err << "pemu-calc log-csv: cannot read '" << args[0] << "'\n";
            return 1;
        }
    }
    out << tape::TapeToCsv(text.str());
    out.flush();
    return out ? 0 : 1;
}

const bool registered =
    RegisterCommand({"log-csv",
                     "  log-csv FILE\n"
                     "      a calculation log (CP932) as CSV: line,value,kind,mark,text",
                     RunLogCsv});

}  // namespace
}  // namespace pemu::calc
