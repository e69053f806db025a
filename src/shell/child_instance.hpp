#pragma once
// A child copy's private files and the primary's closing of its children.
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.hpp"
#include "shell/file_helpers.hpp"
#include "shell/instance_channel.hpp"
#include "shell/named_paths.hpp"
#include "shell/settings_store.hpp"

namespace pemu::shell {

// " *子起動* PID" + pid (CP932), appended to every window caption in a child.
std::string ChildCaptionSuffix(int pid);
// "Pemu" for the primary, "Pemu *子起動* PID<pid>" for a child (CP932).
std::string MainWindowCaption(InstanceRole role, int pid);
// The application title: "Pemu", or "PX" in a child.
std::string ApplicationTitle(InstanceRole role);
// A secondary window's caption: in a child the suffix is appended (CP932).
std::string MarkChildCaption(std::string_view caption, bool childInstance, int pid);
// "Pemu *子起動* " + text, or "Pemu *子起動* PID" + pid for an empty text; at most 49 bytes,
// never half of a double-byte character.
std::string ChildTitle(std::string_view cp932Text, int pid);

// Gives a child its own settings: the shared store's contents are written to the child's
// "PID<pid>.ini" and a store on that copy is returned; the child's user skin folder is
// created. The shared "Pemu.ini" is only read, never written by a child. `paths` must
// already be in the child role. On a write failure the child keeps working on the shared
// contents in memory (the returned store still names its own file) and `result` tells why.
std::unique_ptr<SettingsStore> SetUpChildFiles(const SettingsStore& shared, const NamedPaths& paths,
                                               platform::IoResult* result = nullptr);

// A child's end: its settings copy, formula text copy and user skin folder are removed.
void RemoveChildFiles(const NamedPaths& paths, const DataFolder& folder);

// The primary's end: for each "PID*.ini" in pidFolder, a running child is told to close;
// the copy of a child that no longer runs is deleted. Returns the pids told to close.
std::vector<int> CloseChildInstances(const NamedPaths& paths, const DataFolder& folder,
                                     const InstanceChannel& channel);

// Empties pidFolder (removing whatever crashed children left) and creates it again.
void ResetPidFolder(const NamedPaths& paths, const DataFolder& folder);

}  // namespace pemu::shell
