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

// The manual belongs to the installed program, not to the user: at every start each page of
// the template's manual replaces a different copy in the data folder, so a help item of a
// newer version never opens a page the first run of an older one did not bring. Pages the
// template does not have are left alone. False when a page could not be written.
bool RefreshManual(const NamedPaths& paths, const std::string& templateFolder);

}  // namespace pemu::shell
