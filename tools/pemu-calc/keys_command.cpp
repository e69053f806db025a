// pemu-calc keys: key tokens through the real calculator engine, one status line per token.
#include <ostream>

#include "command.hpp"
#include "core/key_session.hpp"
#include "key_arguments.hpp"
#include "tape/tape_csv.hpp"

namespace pemu::calc {
namespace {

int RunKeys(const std::vector<std::string>& args, std::istream&, std::ostream& out,
            std::ostream& err) {
    KeyArguments parsed;
    if (const std::string message = ParseKeyArguments(args, parsed); !message.empty()) {
        err << "pemu-calc keys: " << message << "\n";
        return kUsageError;
    }
    if (const std::string message = CheckTapeEditLines(parsed); !message.empty()) {
        err << "pemu-calc keys: " << message << "\n";
        return kUsageError;
    }
    core::KeySession session(parsed.options);
    if (parsed.tapeCsv) {
        for (const std::string& token : parsed.tokens)
            session.Run(token);
        out << tape::TapeToCsv(session.Tape().Log().TapeText());
        out.flush();
        return 0;
    }
    for (const std::string& token : parsed.tokens)
        out << session.Run(token) << "\n";
    if (parsed.tape) out << "--- tape\n" << session.TapeUtf8();
    out.flush();
    return 0;
}

const bool registered = RegisterCommand(
    {"keys",
     "  keys [--family sharp|casio] [--digits 8..14] [--round F|CUT|UP|5/4]\n"
     "       [--decimal F|0|1|2|3|4|5|A] [--rate R] [--no-gt] [--no-answer-check]\n"
     "       [--no-check] [--date] [--tape | --tape-csv] -- KEY...\n"
     "      keys through the calculator: digits and points, 00 . + - * / = % CE C CA BS\n"
     "      +/- SQRT MC MR M+ M- GT TAX+ TAX-; prints TOKEN, display, lit marks, error\n"
     "      tape edits on the line numbered N: @change:N:VALUE:SYM @insert:N:VALUE:SYM\n"
     "      @delete:N @clear (SYM one of + - * / = %); adds the result 0-5, E or X and\n"
     "      the message; @paste:TEXT enters TEXT as Ctrl+V in the window pastes it and\n"
     "      adds pasted or refused; --tape-csv prints only the tape, as CSV",
     RunKeys});

}  // namespace
}  // namespace pemu::calc
