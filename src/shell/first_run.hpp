#pragma once
// The one-time copy of the installed template into the user's data folder.
#include <string>
#include <string_view>

#include "platform/file_system.hpp"
#include "shell/named_paths.hpp"

namespace pemu::shell {

struct FirstRunResult {
    bool alreadyDone = false;    // the marker said so: nothing was touched
    bool templateFound = false;  // a template was there to copy from
    bool copyComplete = false;   // every missing file of the template was copied
    platform::IoResult marker;   // writing the first-run marker
};

// Runs before the settings store is opened. Only what is missing is copied: an existing
// settings file, log or skin file of the user is never overwritten, also when the marker
// was removed. The marker ([AppData] Making=1, Ver=versionText) is written in every case.
FirstRunResult RunFirstRunCopy(const NamedPaths& paths, const std::string& templateFolder,
                               std::string_view versionText);

}  // namespace pemu::shell
