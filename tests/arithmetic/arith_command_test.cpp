// pemu-calc arith as scripts call it: the real binary, its output and its exit status.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <string>

namespace {

struct Outcome {
    std::string out;
    int status = -1;
};

// Runs pemu-calc with the given arguments (shell words) and standard input; its error
// messages are kept in `out` too when asked for.
Outcome RunCalc(const std::string& args, const std::string& input = "", bool errors = false) {
    // One file per test process: CTest runs the tests of this file side by side.
    const std::string inputPath =
        ::testing::TempDir() + "pemu_arith_input_" + std::to_string(getpid()) + ".txt";
    std::ofstream(inputPath, std::ios::binary) << input;
    const std::string command = std::string("'") + PEMU_CALC_PATH + "' " + args + " < '" +
                                inputPath + "'" + (errors ? " 2>&1" : " 2>/dev/null");
    Outcome outcome;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return outcome;
    char buffer[4096];
    for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        outcome.out.append(buffer, n);
    }
    const int raw = pclose(pipe);
    outcome.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    std::remove(inputPath.c_str());
    return outcome;
}

TEST(ArithCommandTest, OneOperationPrintsTheResultAndTheDivideFlag) {
    struct Case {
        std::string args;
        std::string out;
    };
    const Case cases[] = {
        {"arith add 1.5 2.25", "3.75\n"},
        {"arith sub 1 3", "-2\n"},
        {"arith mul -0.5 -4", "2\n"},
        {"arith div 1 3", "0.33333333333333333333\n"},
        {"arith div 5 0", "0\ndivide\n"},
        {"arith sqrt 2", "1.4142135623730950488\n"},
        {"arith add 123.456 0.0001 --limit 6", "123.456\n"},
        {"arith --frac 3 div 2 3", "0.666\n"},
        {"arith div 2 3 --int 1 --frac 105", "0." + std::string(105, '6') + "\n"},
        {"arith add 99 1 --int 1", "EF\n"},
    };
    for (const Case& c : cases) {
        const Outcome r = RunCalc(c.args);
        EXPECT_EQ(r.status, 0) << c.args;
        EXPECT_EQ(r.out, c.out) << c.args;
    }
}

// Error lines carry a reason after the prefix; they are compared by the prefix.
std::string WithoutReasons(const std::string& out) {
    std::string lines;
    std::size_t start = 0;
    while (start < out.size()) {
        const std::size_t end = out.find('\n', start);
        std::string line = out.substr(start, end - start);
        if (line.rfind("error: ", 0) == 0 && line.size() > 7) line = "error:";
        lines += line + "\n";
        start = end == std::string::npos ? out.size() : end + 1;
    }
    return lines;
}

// The operations' own requirements: operands the working buffers hold whole (599
// characters, 299 for a subtraction) and, with a limit, no more integer digits than it.
TEST(ArithCommandTest, OperandsTheOperationCannotTakeAreRefused) {
    const std::string nines599(599, '9'), nines600(600, '9'), digits300(300, '1');
    const std::string long10000 = "1." + std::string(9998, '3');
    struct Case {
        std::string args;
        std::string out;  // "" for a refusal
    };
    const Case cases[] = {
        {"arith add 99 1 --limit 1", ""},
        {"arith add 99 1 --limit 2", "100\n"},
        {"arith add -0099.5 1 --limit 2", "-98\n"},
        {"arith sub 1 100 --limit 2", ""},
        {"arith mul 2 3 --limit 5", ""},
        {"arith add " + nines599 + " 0 --int 105", "EF\n"},
        {"arith add " + nines600 + " 0 --int 105", ""},
        {"arith sub 1 0." + std::string(297, '1'), "0.88888888888888888889\n"},
        {"arith sub 1 0." + std::string(298, '1'), ""},
        {"arith cos " + long10000, ""},
        {"arith tan " + long10000, ""},
        {"arith div 1 " + long10000, ""},
        {"arith pow 2 " + nines600, ""},
    };
    for (const Case& c : cases) {
        const Outcome r = RunCalc(c.args);
        EXPECT_EQ(r.status, c.out.empty() ? 2 : 0) << c.args.substr(0, 40);
        EXPECT_EQ(r.out, c.out) << c.args.substr(0, 40);
    }
    const Outcome r = RunCalc("arith add 99 1 --limit 1", "", true);
    EXPECT_NE(r.out.find("'99' has 2 integer digits, more than the limit of 1"), std::string::npos)
        << r.out;
    const Outcome tan = RunCalc("arith tan " + long10000, "", true);
    EXPECT_NE(tan.out.find("(10000 characters) is too long: tan takes operands of at most 599"),
              std::string::npos)
        << tan.out.substr(0, 200);
    const Outcome batch = RunCalc("arith --batch", "add 99 1 1 20 20\nadd 99 1 2 20 20\nsub 1 " +
                                                       digits300 + " 0 20 20\nmul 2 3 4 20 20\n");
    EXPECT_EQ(WithoutReasons(batch.out), "error:\n100\nerror:\nerror:\n");
}

TEST(ArithCommandTest, BadArgumentsExitWithStatusTwoAndPrintNothing) {
    for (const char* args :
         {"arith", "arith frob 1 2", "arith add 1", "arith add 1 2 3", "arith add 1 x",
          "arith add 1 1e5", "arith sqrt", "arith add 1 2 --frac 0", "arith add 1 2 --int 106",
          "arith add 1 2 --limit -1", "arith add 1 2 --limit", "arith add 1 2 --bogus 3",
          "arith --batch extra"}) {
        const Outcome r = RunCalc(args);
        EXPECT_EQ(r.status, 2) << args;
        EXPECT_EQ(r.out, "") << args;
    }
}

TEST(ArithCommandTest, BatchAnswersEveryLineInOrder) {
    const std::string input =
        "add 1.5 2.25 0 20 20\n"
        "div 5 0 0 20 20\n"
        "div 1 3 0 1 5\n"
        "sqrt 2 - 0 20 20\n"
        "add 123.456 0.0001 5 20 20\r\n"
        "mul 99999 99999 0 2 20\n"
        "frob 1 2 0 20 20\n"
        "add 1 x 0 20 20\n"
        "add 1 2 0 0 20\n"
        "add 1 2 0 20 106\n"
        "sqrt 4 5 0 20 20\n"
        "add 1 2 -1 20 20\n"
        "add 1 2\n"
        "\n"
        "sub -1 -1 0 20 20";
    const Outcome r = RunCalc("arith --batch", input);
    EXPECT_EQ(r.status, 0);
    std::string want;
    for (const char* line :
         {"3.75", "0\tdivide", "0.33333", "1.4142135623730950488", "123.45", "EF",
          "error:", "error:", "error:", "error:", "error:", "error:", "error:", "error:", "0"}) {
        want += line;
        want += '\n';
    }
    EXPECT_EQ(WithoutReasons(r.out), want);
}

TEST(ArithCommandTest, BatchClearsTheDivideFlagBeforeEachLine) {
    const Outcome r = RunCalc("arith --batch", "div 1 0 0 20 20\ndiv 1 1 0 20 20\n");
    EXPECT_EQ(r.out, "0\tdivide\n1\n");
}

}  // namespace
