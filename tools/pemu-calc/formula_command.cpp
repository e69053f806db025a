// pemu-calc formula: a formula checked and evaluated as the formula window does it.
#include <charconv>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "arithmetic/context.hpp"
#include "command.hpp"
#include "formula/formula_display.hpp"
#include "formula/formula_run.hpp"
#include "platform/codec.hpp"

namespace pemu::calc {

namespace {

constexpr const char* kUsage =
    "  formula [--int S] [--frac Y] [--group 0|2|3|4|5] [--batch | --window WIDTH] [EXPR]\n"
    "                                evaluate a formula (S, Y 1..100; defaults 56, 28, 0);\n"
    "                                --batch: one formula per line of standard input;\n"
    "                                --window: the formula window's label, message area and\n"
    "                                answer area, lines of WIDTH bytes (2..1000)";

struct Options {
    formula::FormulaSettings settings;
    bool batch = false;
    int windowWidth = 0;  // 0: the answer or message alone
    std::string expression;
    bool haveExpression = false;
};

bool IsGroup(int group) {
    return group == 0 || (group >= 2 && group <= 5);
}

// "" when the arguments are good, else what is wrong with them.
std::string ParseOptions(const std::vector<std::string>& args, Options& options) {
    bool optionsEnded = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg == "--batch") {
            options.batch = true;
            continue;
        }
        if (optionsEnded || arg.rfind("--", 0) != 0) {
            // Several words make one formula; blanks mean nothing to the check.
            options.expression += (options.haveExpression ? " " : "") + arg;
            options.haveExpression = true;
            continue;
        }
        if (arg != "--int" && arg != "--frac" && arg != "--group" && arg != "--window") {
            return "unknown option '" + arg + "'";
        }
        if (i + 1 == args.size()) return arg + " needs a value";
        const std::string& value = args[++i];
        formula::DigitLimits& limits = options.settings.limits;
        if (arg == "--window") {
            if (!ParseInt(value, 2, 1000, options.windowWidth))
                return "--window '" + value + "' is not a whole number from 2 to 1000";
        } else if (arg == "--group") {
            if (!ParseInt(value, 0, 5, options.settings.group) ||
                !IsGroup(options.settings.group)) {
                return "--group '" + value + "' is not one of 0, 2, 3, 4, 5";
            }
        } else if (!ParseInt(value, 1, 100,
                             arg == "--int" ? limits.intDigits : limits.fracDigits)) {
            return arg + " '" + value + "' is not a whole number from 1 to 100";
        }
    }
    if (options.batch && options.haveExpression)
        return "--batch reads formulas from standard input, not from arguments";
    if (options.batch && options.windowWidth > 0) return "--batch and --window do not go together";
    if (!options.batch && !options.haveExpression) return "no formula given";
    return {};
}

formula::FormulaOutcome Evaluate(const Options& options, std::string_view utf8) {
    arith::ArithContext ctx;
    return formula::RunFormula(ctx, platform::Utf8ToCp932(utf8), options.settings);
}

// As the formula window shows the run, each area under its label.
void PrintWindow(const formula::FormulaOutcome& outcome, const Options& options,
                 std::ostream& out) {
    const formula::OutcomeView view = formula::ViewOfOutcome(outcome);
    const int width = options.windowWidth;
    std::string shown = formula::OutcomeLabel(view.ok) + "\r\n" +
                        formula::MessageText(view.paragraphs, width) + "\r\n" +
                        platform::Sjis("計算結果：") + "\r\n" +
                        formula::AnswerText(view.lastAnswer, options.settings.group, width);
    std::erase(shown, '\r');
    out << platform::Cp932ToUtf8(shown) << '\n';
}

int RunBatch(const Options& options, std::istream& in, std::ostream& out) {
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        std::string shown = platform::Cp932ToUtf8(Evaluate(options, line).shown);
        // A wrapped answer stays on its one output line; its lines begin with a blank.
        std::erase(shown, '\n');
        out << shown << '\n';
    }
    out.flush();
    return 0;
}

int RunFormula(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
               std::ostream& err) {
    Options options;
    if (const std::string reason = ParseOptions(args, options); !reason.empty()) {
        err << "pemu-calc formula: " << reason << "\nusage: pemu-calc\n" << kUsage << "\n";
        return kUsageError;
    }
    if (options.batch) return RunBatch(options, in, out);
    const formula::FormulaOutcome outcome = Evaluate(options, options.expression);
    if (options.windowWidth > 0) {
        PrintWindow(outcome, options, out);
        return outcome.ok ? 0 : 1;
    }
    out << platform::Cp932ToUtf8(outcome.shown) << '\n';
    if (!outcome.ok && outcome.shown.empty()) {
        err << "pemu-calc formula: error " << formula::Number(outcome.error.code)
            << " has no message text\n";
    }
    return outcome.ok ? 0 : 1;
}

const bool kRegistered = RegisterCommand({"formula", kUsage, RunFormula});

}  // namespace

}  // namespace pemu::calc
