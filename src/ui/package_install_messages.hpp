#pragma once
// `pemu PATH...`: every path installed as a skin package (shell/package_install.hpp), each
// outcome told in a message box, before anything else of the program starts.
#include <string>
#include <vector>

#include "shell/named_paths.hpp"

namespace pemu::ui {

// Installs `paths` into the package folder of `named` and shows what happened. A path that
// is no package is passed over silently.
void InstallPackagesFromCommandLine(const std::vector<std::string>& paths,
                                    const shell::NamedPaths& named);

}  // namespace pemu::ui
