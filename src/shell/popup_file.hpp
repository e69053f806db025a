#pragma once
// The text a window hands to the popup viewer: a file of its own in the PID folder, named
// after the time and the window's position, and the viewer program beside the executable.
// The viewer reads the file and deletes nothing; the PID folder is emptied at the end of the
// run.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.hpp"
#include "platform/geometry.hpp"

namespace pemu::shell {

// "zp0_" + seconds since 1970 + left and top as "%04d" each + ".txt".
std::string PopupFileName(std::int64_t secondsSince1970, int left, int top);

// The window position a popup file name carries (its last eight digits before ".txt"), so
// the viewer can open near the window that asked for it; nothing for another name.
std::optional<platform::Point> PopupFilePosition(std::string_view fileName);

struct PopupFile {
    platform::IoResult io;
    std::string path;  // full path of the written file
};

// Writes `text` unchanged into a new file of `pidFolder` (created when missing). A name
// already taken in the same second gets "_2", "_3", ... before ".txt": a viewer still
// reading the first file must not see it replaced.
PopupFile WritePopupFile(const std::string& pidFolder, std::string_view text,
                         std::int64_t secondsSince1970, int left, int top);

// The popup viewer program in the executable's folder.
std::string PopupViewerPath(const std::string& programFolder);

}  // namespace pemu::shell
