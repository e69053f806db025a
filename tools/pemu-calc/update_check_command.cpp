// pemu-calc update-check [--record]: asks the update server whether a newer version than
// this one exists, as the calculator's update check does; --record reads the server's
// answer from standard input instead.
#include <iostream>
#include <sstream>

#include "command.hpp"
#include "http/http_client.hpp"
#include "platform/product_info.hpp"
#include "shell/named_paths.hpp"
#include "update/version_fetch.hpp"

namespace pemu::calc {
namespace {

int RunUpdateCheck(const std::vector<std::string>& args, std::istream& in, std::ostream& out,
                   std::ostream& err) {
    const bool fromInput = args.size() == 1 && args[0] == "--record";
    if (!args.empty() && !fromInput) {
        err << "pemu-calc update-check: the only option is --record\n";
        return kUsageError;
    }
    update::FetchOutcome outcome;
    if (fromInput) {
        std::ostringstream body;
        body << in.rdbuf();
        outcome = update::ReadVersionAnswer(body.str());
    } else {
        const std::unique_ptr<update::HttpGetter> http = http::NewVersionGetter();
        const std::string endpoint =
            shell::NamedPaths("", "").PathOf(shell::PathKind::kVersionEndpoint);
        outcome = update::FetchVersion(*http, endpoint);
    }
    const std::string own = std::string(platform::kVersionText).substr(0, 9);
    switch (update::DecideCheck(own, outcome)) {
        case update::CheckResult::kNewer:
            out << outcome.version << "\tnewer\t" << update::DownloadAddress(outcome.record)
                << "\n";
            return 0;
        case update::CheckResult::kCurrent:
            out << own << "\tcurrent\n";
            return 0;
        case update::CheckResult::kFailed:
            break;
    }
    out << "err\tfailed\n";
    return 1;
}

const bool registered = RegisterCommand(
    {"update-check",
     "  update-check [--record]\n"
     "      asks the update server ($PEMU_UPDATE_URL overrides its address) for a newer\n"
     "      version; prints VERSION<TAB>newer<TAB>ADDRESS, VERSION<TAB>current or\n"
     "      err<TAB>failed (exit 1). --record reads the server's answer from standard input",
     RunUpdateCheck});

}  // namespace
}  // namespace pemu::calc
