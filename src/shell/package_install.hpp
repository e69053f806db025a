#pragma once
// Installing skin packages named on the command line: a folder whose name begins with a
// part prefix is copied into the package folder, a ".cab" file is extracted into it. Nothing
// is ever written outside the package folder: a stored name that is absolute, holds "..",
// a drive letter or more than one folder level, or that would land outside through a link
// already there, is refused and the rest installs. A package is put together in a
// temporary folder inside the data folder and moved in only when complete.
#include <string>
#include <string_view>
#include <vector>

#include "shell/named_paths.hpp"

namespace pemu::shell {

enum class PackageKind { kNone, kFolder, kCabinet };

// The last component of a path (trailing separators ignored). '/' separates everywhere,
// '\' too on Windows.
std::string LastComponent(std::string_view path);
// A component with a "." is a cabinet when longer than 4 characters and ending in ".cab"
// (any case); one without a "." is a folder package when it begins with a part prefix.
PackageKind KindOfPackage(std::string_view component);

// A name stored in a cabinet, checked: its components (UTF-8; one file name, or one folder
// and one file name), or none when the name is refused. `utf8` tells how the name is
// stored; otherwise it is CP932, whose second bytes may look like "\" and are no separator.
std::vector<std::string> SafeStoredName(std::string_view stored, bool utf8);

struct InstallOutcome {
    std::string component;  // the package's name as given (UTF-8)
    PackageKind kind = PackageKind::kNone;
    bool installed = false;
    // Why nothing was installed (libmspack's reason for a damaged cabinet), else "".
    std::string error;
    // Stored names that were refused (as stored, UTF-8); the rest was installed.
    std::vector<std::string> refused;
};

// Installs one path into PathOf(kSkinPackageFolder), creating the folders it needs (also
// on the very first run, before the data folder exists).
InstallOutcome InstallPackage(const std::string& path, const NamedPaths& paths);

}  // namespace pemu::shell
