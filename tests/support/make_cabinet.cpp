// make-test-cabinet OUT.cab NAME=FILE...: a stored cabinet for the end-to-end scripts; NAME
// is kept byte for byte (".." and absolute names included), FILE's bytes are its content.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

#include "cabinet_writer.hpp"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: make-test-cabinet OUT.cab NAME=FILE...\n");
        return 2;
    }
    std::vector<pemu::testing::CabinetMember> members;
    for (int i = 2; i < argc; ++i) {
        const std::string arg = argv[i];
        const auto eq = arg.rfind('=');
        if (eq == std::string::npos) return 2;
        std::ifstream in(arg.substr(eq + 1), std::ios::binary);
        if (!in) return 2;
        members.push_back(
            {arg.substr(0, eq), std::string(std::istreambuf_iterator<char>(in), {}), false});
    }
    std::ofstream(argv[1], std::ios::binary) << pemu::testing::CabinetBytes(members);
    return 0;
}
