#pragma once
// Plain file and folder operations, with results as values. Paths are UTF-8 (on POSIX also
// CP932 bytes as the system hands them); '/' separates folders, also in the paths handed out
// on Windows, which takes '/' and '\' alike.
#include <cstddef>
#include <cstdio>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pemu::platform {

// Outcome of a write: ok, or the errno that stopped it and a short English description.
struct IoResult {
    bool ok = true;
    int errorNumber = 0;
    std::string what;  // e.g. "rename /x/Pemu.ini: No space left on device"

    static IoResult Ok() { return {}; }
    static IoResult Failed(int errorNumber, std::string what);
    explicit operator bool() const { return ok; }
};

// Whole file as bytes; nullopt when it cannot be opened or read to its end.
std::optional<std::string> ReadWholeFile(const std::string& path);

// Replaces `path` with `bytes` so that a crash or a full disk never leaves a half-written
// file: a temporary file beside it is written, synced and renamed over the old one. On any
// failure the old file is untouched and the temporary file is removed. When `path` is a
// symbolic link (or a chain of them) the link is kept and the file it leads to is replaced,
// beside that file; a dangling link's target is made, and when its folder is missing the
// write fails with the link untouched. (On Windows, where links are rare, a link is replaced.)
IoResult WriteFileAtomically(const std::string& path, std::string_view bytes);

// Removes the temporary files that WriteFileAtomically(path) left when its process died in
// the middle (beside the file a link leads to, for a link). Only for a file no other process
// writes meanwhile: one it alone writes, or one whose writers lock it and the lock is held.
void RemoveAbandonedTemporaries(const std::string& path);

// Copies one file, replacing the target atomically. Fails when the source cannot be read.
IoResult CopyFileAtomically(const std::string& from, const std::string& to);

// Makes an empty file at `path` only when nothing is there (one step, so of two processes
// exactly one makes it); fails with EEXIST when something is, and never touches it.
IoResult CreateNewFile(const std::string& path);
// As CreateNewFile, and open for writing (binary) as a C stream: nullptr when anything is
// there already, a link included, or the file cannot be made. The caller closes it.
std::FILE* OpenNewFile(const std::string& path);

bool FileExists(const std::string& path);    // a regular file (after links)
bool FolderExists(const std::string& path);  // a directory (after links)
bool PathExists(const std::string& path);    // anything, a dangling link included

// One level; true when the folder exists afterwards.
bool MakeFolder(const std::string& path);
// With every missing parent; true when the folder exists afterwards.
bool MakeFolders(const std::string& path);
// As MakeFolders, each folder it makes open to this user only.
bool MakePrivateFolders(const std::string& path);
// Makes the folder with every missing parent when needed, then proves that files can be made
// in it (one is made and removed again). A failure names the folder and the reason.
IoResult EnsureWritableFolder(const std::string& path);
// True when users other than its owner may make files in the folder (links followed).
bool OthersMayWrite(const std::string& folder);

bool RemoveFile(const std::string& path);    // true when it was removed
bool RemoveFolder(const std::string& path);  // empty folders only
// Moves a file or folder within one file system; an existing file at `to` (a link itself,
// never followed) or an empty folder there is replaced.
IoResult RenamePath(const std::string& from, const std::string& to);

struct FolderEntry {
    std::string name;
    bool isFolder = false;  // a real directory, not a link to one
};
// Entries of a folder except "." and "..", sorted by name; empty when it cannot be read.
std::vector<FolderEntry> ReadFolder(const std::string& path);

// Absolute path with ".", ".." and links resolved. Parts that do not exist yet are joined
// lexically to the deepest existing folder. Empty for an empty input.
std::string CanonicalPath(const std::string& path);

// The running executable's own file; empty when unknown.
std::string ExecutablePath();
// The folder of the running executable, with a trailing '/'; empty when unknown.
std::string ExecutableFolder();

int CurrentProcessId();
// False only when no process with that id exists.
bool ProcessIsRunning(int pid);

// Value of an environment variable; nullopt when unset or empty.
std::optional<std::string> Environment(const char* name);

// The current user's application-data folder, without a trailing '/': $XDG_DATA_HOME when it
// is an absolute path, else the home folder + "/.local/share", the home being $HOME when it
// is absolute, else the one the user database gives this user. A home other users may write
// into (such as /tmp) is passed over: another user could have made the folders first.
// Nullopt when there is none. On Windows: the user's roaming application-data folder.
std::optional<std::string> UserDataFolder();

// Base folder for the instance lock and the local sockets: $PEMU_RUNTIME_DIR, else
// $XDG_RUNTIME_DIR, else a private /tmp/pemu-<uid>/ (created 0700); on Windows "pemu/" in the
// user's temporary folder. With a trailing '/'.
std::string RuntimeFolder();

// True for a character that separates folders in a path of this system: '/', and on Windows
// also the backslash.
bool IsFolderSeparator(char c);

// The local time of `when`, safe to call from several threads.
std::tm LocalTime(std::time_t when);

}  // namespace pemu::platform
