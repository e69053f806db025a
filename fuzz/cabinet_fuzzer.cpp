// Random bytes as a ".cab" skin package, installed through the real installation: libmspack
// reads whatever it is handed, and nothing may ever appear outside the package folder, nor
// may the folder the package is put together in be left behind.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "shell/named_paths.hpp"
#include "shell/package_install.hpp"

namespace {

namespace fs = std::filesystem;

void Require(bool condition) {
    if (!condition) std::abort();
}

const fs::path& Root() {
    static const fs::path root = [] {
        fs::path r =
            fs::temp_directory_path() / ("pemu-cabinet-fuzz-" + std::to_string(::getpid()));
        fs::remove_all(r);
        fs::create_directories(r / "in");
        return r;
    }();
    return root;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const fs::path cab = Root() / "in" / "package.cab";
    std::ofstream(cab, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    const fs::path dataRoot = Root() / "data";
    fs::remove_all(dataRoot);
    const pemu::shell::NamedPaths paths(dataRoot.string(), (Root() / "bin").string());
    const pemu::shell::InstallOutcome out = pemu::shell::InstallPackage(cab.string(), paths);
    Require(out.kind == pemu::shell::PackageKind::kCabinet);
    Require(!out.installed || out.error.empty());
    const fs::path packages = dataRoot / "PemuFiles" / "Skin" / "T8";
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(Root(), ec)) {
        const fs::path p = e.path();
        if (p == cab || p.parent_path() == Root() || p == Root() / "data" / "PemuFiles" ||
            p == Root() / "data" / "PemuFiles" / "Skin" ||
            p == Root() / "data" / "PemuFiles" / "_sys")
            continue;
        const std::string relative = fs::relative(p, packages, ec).string();
        Require(!relative.empty() && relative.rfind("..", 0) != 0);
    }
    return 0;
}
