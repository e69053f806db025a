// `pemu-calc arith` fed anything: a batch on standard input answers every line with a
// result or an "error:" line, in order; words on the command line end in a result (status
// 0) or a refusal (status 2) with nothing printed.
//
// Input: byte 0 bit 0 picks the batch (the rest is standard input) or the command line (the
// rest split at blanks into arguments).
#include <cstddef>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "command.hpp"
#include "fuzz_support.hpp"

namespace pemu::calc {

// The subcommands register themselves here; only "arith" is linked in.
namespace {
Command& Arith() {
    static Command arith;
    return arith;
}
}  // namespace

bool RegisterCommand(Command command) {
    if (command.name == "arith") Arith() = std::move(command);
    return true;
}

}  // namespace pemu::calc

namespace {

using pemu::fuzz::Require;

std::size_t Lines(std::string_view text) {
    std::size_t lines = 0;
    for (std::size_t start = 0; start < text.size(); ++lines) {
        const std::size_t end = text.find('\n', start);
        start = end == std::string_view::npos ? text.size() : end + 1;
    }
    return lines;
}

std::vector<std::string> Words(std::string_view text) {
    std::vector<std::string> words;
    std::istringstream in{std::string(text)};
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool batch = (data[0] & 1) != 0;
    const std::string_view rest = pemu::fuzz::Bytes(data + 1, size - 1);
    const pemu::calc::Command& arith = pemu::calc::Arith();
    Require(static_cast<bool>(arith.run));
    std::istringstream in{std::string(batch ? rest : std::string_view())};
    std::ostringstream out, err;
    if (batch) {
        Require(arith.run({"--batch"}, in, out, err) == 0);
        Require(Lines(out.str()) == Lines(rest));
        return 0;
    }
    const int status = arith.run(Words(rest), in, out, err);
    Require(status == 0 || status == pemu::calc::kUsageError);
    if (status != 0) Require(out.str().empty() && !err.str().empty());
    return 0;
}
