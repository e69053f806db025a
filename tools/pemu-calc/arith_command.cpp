// pemu-calc arith: one decimal operation, or a batch of them from standard input.
#include <charconv>
#include <istream>
#include <iterator>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "arith_ops.hpp"
#include "arithmetic/decimal.hpp"
#include "command.hpp"

namespace pemu::calc {

namespace {

std::vector<ArithOp>& OpRegistry() {
    static std::vector<ArithOp> ops;
    return ops;
}

constexpr int kMinPrecision = 1;
constexpr int kMaxPrecision = 105;
constexpr std::string_view kUnused = "-";

const bool kFourOperations = [] {
    using arith::ArithContext;
    RegisterArithOp({"add", 2,
                     [](ArithContext& ctx, const std::string& a, const std::string& b, int limit) {
                         return arith::DecimalAdd(ctx, a, b, limit);
                     },
                     arith::kOperandMax, true});
    RegisterArithOp({"sub", 2,
                     [](ArithContext& ctx, const std::string& a, const std::string& b, int limit) {
                         return arith::DecimalSubtract(ctx, a, b, limit);
                     },
                     arith::kSubtractOperandMax, true});
    RegisterArithOp(
        {"mul", 2, [](ArithContext& ctx, const std::string& a, const std::string& b, int) {
             return arith::DecimalMultiply(ctx, a, b);
         }});
    RegisterArithOp(
        {"div", 2, [](ArithContext& ctx, const std::string& a, const std::string& b, int) {
             return arith::DecimalDivide(ctx, a, b);
         }});
    RegisterArithOp(
        {"sqrt", 1, [](ArithContext& ctx, const std::string& a, const std::string&, int) {
             return arith::DecimalSqrt(ctx, a);
         }});
    return true;
}();

// One operation to run: what the command line or a batch line asked for.
struct Request {
    const ArithOp* op = nullptr;
    std::string a;
    std::string b;
    int limit = 0;
    arith::ArithContext ctx;
};

std::string OpNames() {
    std::string names;
    for (const ArithOp& op : ArithOps())
        names += (names.empty() ? "" : " ") + op.name;
    return names;
}

// An operand as an error message shows it: a long one by its start and its length.
std::string Shown(std::string_view operand) {
    constexpr std::size_t kShown = 24;
    if (operand.size() <= kShown) return "'" + std::string(operand) + "'";
    return "'" + std::string(operand.substr(0, kShown)) + "...' (" +
           std::to_string(operand.size()) + " characters)";
}

// Digits before the point, without the sign and leading zeros.
std::size_t IntegerDigits(std::string_view number) {
    if (!number.empty() && (number.front() == '+' || number.front() == '-'))
        number.remove_prefix(1);
    number = number.substr(0, number.find('.'));
    const std::size_t first = number.find_first_not_of('0');
    return first == std::string_view::npos ? 0 : number.size() - first;
}

// What the operation requires of one operand it uses; "" when it holds, else the reason.
std::string CheckOperand(const ArithOp& op, std::string_view operand, int limit) {
    if (!arith::IsNumberText(operand)) return Shown(operand) + " is not a decimal number";
    if (operand.size() > op.maxOperandLength) {
        return Shown(operand) + " is too long: " + op.name + " takes operands of at most " +
               std::to_string(op.maxOperandLength) + " characters";
    }
    if (limit > 0 && IntegerDigits(operand) > static_cast<std::size_t>(limit)) {
        return Shown(operand) + " has " + std::to_string(IntegerDigits(operand)) +
               " integer digits, more than the limit of " + std::to_string(limit);
    }
    return {};
}

// Checks the operands (and the limit) against the operation; "" when they fit, else the
// reason.
std::string CheckOperands(const ArithOp& op, const std::vector<std::string_view>& operands,
                          int limit) {
    if (limit > 0 && !op.takesLimit) return op.name + " takes no limit";
    for (std::size_t i = 0; i < operands.size(); ++i) {
        const bool used = static_cast<int>(i) < op.operands;
        if (used) {
            if (std::string reason = CheckOperand(op, operands[i], limit); !reason.empty())
                return reason;
        }
        // A constant ignores A, whatever it holds.
        const bool ignored = op.operands == 0 && i == 0;
        if (!used && !ignored && operands[i] != kUnused) {
            return op.name + " takes " + std::to_string(op.operands) +
                   " operand(s); give '-' for " + Shown(operands[i]);
        }
    }
    return {};
}

std::string Run(Request& request) {
    return request.op->run(request.ctx, request.a, request.b, request.limit);
}

// Splits at blanks and tabs.
std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t'))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t')
            ++i;
        if (i > start) fields.push_back(line.substr(start, i - start));
    }
    return fields;
}

// A batch line "OP A B LIMIT I F"; "" when it is well formed, else the reason.
std::string ParseBatchLine(std::string_view line, Request& request) {
    const std::vector<std::string_view> f = Fields(line);
    if (f.size() != 6) {
        return "expected 6 fields 'OP A B LIMIT I F', got " + std::to_string(f.size());
    }
    request.op = FindArithOp(std::string(f[0]));
    if (request.op == nullptr) return "unknown operation " + Shown(f[0]);
    if (!ParseInt(f[3], 0, 1 << 30, request.limit)) {
        return "LIMIT " + Shown(f[3]) + " is not a whole number >= 0";
    }
    if (std::string reason = CheckOperands(*request.op, {f[1], f[2]}, request.limit);
        !reason.empty()) {
        return reason;
    }
    if (!ParseInt(f[4], kMinPrecision, kMaxPrecision, request.ctx.workIntDigits)) {
        return "I '" + std::string(f[4]) + "' is not a whole number from 1 to 105";
    }
    if (!ParseInt(f[5], kMinPrecision, kMaxPrecision, request.ctx.workFracDigits)) {
        return "F '" + std::string(f[5]) + "' is not a whole number from 1 to 105";
    }
    request.a = f[1];
    request.b = request.op->operands >= 2 ? std::string(f[2]) : std::string();
    return {};
}

int RunBatch(std::istream& in, std::ostream& out) {
    const std::string input{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::string output;
    output.reserve(input.size());
    std::size_t start = 0;
    while (start < input.size()) {
        std::size_t end = input.find('\n', start);
        if (end == std::string::npos) end = input.size();
        std::string_view line(input.data() + start, end - start);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        start = end + 1;
        Request request;
        const std::string reason = ParseBatchLine(line, request);
        if (!reason.empty()) {
            output += "error: " + reason + "\n";
            continue;
        }
        output += Run(request);
        output += request.ctx.divideError ? "\tdivide\n" : "\n";
    }
    out << output;
    out.flush();
    return 0;
}

void PrintUsage(std::ostream& out) {
    out << "usage: pemu-calc arith OP A [B] [--limit N] [--int I] [--frac F]\n"
        << "       pemu-calc arith --batch   (lines 'OP A B LIMIT I F' on standard input)\n"
        << "operations: " << OpNames() << "\n";
}

int UsageError(std::ostream& err, const std::string& message) {
    err << "pemu-calc arith: " << message << "\n";
    PrintUsage(err);
    return kUsageError;
}

int RunArith(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
             std::ostream& err) {
    if (args.size() == 1 && args[0] == "--batch") return RunBatch(in, out);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        PrintUsage(out);
        return 0;
    }
    Request request;
    std::vector<std::string_view> positional;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--batch") return UsageError(err, "--batch takes no other arguments");
        const bool isOption = arg == "--limit" || arg == "--int" || arg == "--frac";
        if (!isOption) {
            if (arg.rfind("--", 0) == 0) return UsageError(err, "unknown option '" + arg + "'");
            positional.push_back(arg);
            continue;
        }
        if (i + 1 == args.size()) return UsageError(err, arg + " needs a value");
        const std::string& value = args[++i];
        const bool ok = arg == "--limit" ? ParseInt(value, 0, 1 << 30, request.limit)
                                         : ParseInt(value, kMinPrecision, kMaxPrecision,
                                                    arg == "--int" ? request.ctx.workIntDigits
                                                                   : request.ctx.workFracDigits);
        if (!ok) {
            return UsageError(err, arg + " '" + value + "' is out of range (" +
                                       (arg == "--limit" ? "0 or more" : "1 to 105") + ")");
        }
    }
    if (positional.empty()) return UsageError(err, "no operation given");
    request.op = FindArithOp(std::string(positional[0]));
    if (request.op == nullptr) {
        return UsageError(err, "unknown operation '" + std::string(positional[0]) + "'");
    }
    const auto given = static_cast<int>(positional.size()) - 1;
    if (given != request.op->operands) {
        return UsageError(err, request.op->name + " takes " + std::to_string(request.op->operands) +
                                   " operand(s), got " + std::to_string(given));
    }
    const std::vector<std::string_view> operands(positional.begin() + 1, positional.end());
    if (std::string reason = CheckOperands(*request.op, operands, request.limit); !reason.empty()) {
        return UsageError(err, reason);
    }
    if (given >= 1) request.a = operands[0];
    if (given >= 2) request.b = operands[1];
    out << Run(request) << "\n";
    if (request.ctx.divideError) out << "divide\n";
    return 0;
}

const bool kRegistered =
    RegisterCommand({"arith",
                     "  arith OP A [B] [--limit N] [--int I] [--frac F]   one decimal operation\n"
                     "  arith --batch                 lines 'OP A B LIMIT I F' from standard input",
                     RunArith});

}  // namespace

bool RegisterArithOp(ArithOp op) {
    if (FindArithOp(op.name) != nullptr) return false;
    OpRegistry().push_back(std::move(op));
    return true;
}

const ArithOp* FindArithOp(const std::string& name) {
    for (const ArithOp& op : OpRegistry()) {
        if (op.name == name) return &op;
    }
    return nullptr;
}

const std::vector<ArithOp>& ArithOps() {
    return OpRegistry();
}

}  // namespace pemu::calc
