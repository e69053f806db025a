#include "shell/child_instance.hpp"

#include <charconv>

#include "arithmetic/text.hpp"
#include "platform/codec.hpp"

namespace pemu::shell {
namespace {

// "PID4321.ini" -> 4321; nullopt for any other name.
std::optional<int> PidOfCopy(std::string_view name) {
    constexpr std::string_view kPrefix = "PID";
    constexpr std::string_view kSuffix = ".ini";
    if (name.size() <= kPrefix.size() + kSuffix.size() || !name.starts_with(kPrefix) ||
        !name.ends_with(kSuffix)) {
        return std::nullopt;
    }
    std::string_view digits = name.substr(kPrefix.size(), name.size() - 7);
    int pid = 0;
    auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), pid);
    if (error != std::errc() || end != digits.data() + digits.size() || pid <= 0) {
        return std::nullopt;
    }
    return pid;
}

// Every name in pidFolder beginning with "PID", through the bounded listing.
std::vector<std::string> ListPidFiles(const std::string& folder) {
    std::vector<std::string> names;
    int resume = 0;
    do {
        std::string out;
        resume = ListEntries(out, 1000, folder, resume, false, "PID*");
        std::size_t start = 0;
        for (std::size_t colon; (colon = out.find(':', start)) != std::string::npos;
             start = colon + 1) {
            names.push_back(out.substr(start, colon - start));
        }
    } while (resume > 0);
    return names;
}

}  // namespace

std::string ChildCaptionSuffix(int pid) {
    return platform::Sjis(" *子起動* PID") + std::to_string(pid);
}

std::string MainWindowCaption(InstanceRole role, int pid) {
    return role == InstanceRole::kChild ? "Pemu" + ChildCaptionSuffix(pid) : std::string("Pemu");
}

std::string ApplicationTitle(InstanceRole role) {
    return role == InstanceRole::kChild ? "PX" : "Pemu";
}

std::string MarkChildCaption(std::string_view caption, bool childInstance, int pid) {
    std::string text(caption);
    if (childInstance) text += ChildCaptionSuffix(pid);
    return text;
}

std::string ChildTitle(std::string_view cp932Text, int pid) {
    constexpr std::size_t kMaxTitleBytes = 49;
    const std::string title = cp932Text.empty()
                                  ? "Pemu" + ChildCaptionSuffix(pid)
                                  : platform::Sjis("Pemu *子起動* ") + std::string(cp932Text);
    return arith::CutWholeChars(title, kMaxTitleBytes);
}

std::unique_ptr<SettingsStore> SetUpChildFiles(const SettingsStore& shared, const NamedPaths& paths,
                                               platform::IoResult* result) {
    platform::MakeFolder(paths.PathOf(PathKind::kPidFolder));
    const std::string own = paths.PathOf(PathKind::kSettingsFile);
    // The copy is what the shared store holds in memory, written to the child's own file; the
    // shared file itself is never rewritten by a child (the primary may be saving it now).
    platform::IoResult written = platform::WriteFileAtomically(own, shared.Text());
    if (result != nullptr) *result = written;
    platform::MakeFolder(paths.PathOf(PathKind::kUserSkinFolder));
    auto store = std::make_unique<SettingsStore>(own);
    if (!written) {
        // Keep the shared values in memory; the child still never writes the shared file.
        store->TakeContentsOf(shared);
    }
    return store;
}

void RemoveChildFiles(const NamedPaths& paths, const DataFolder& folder) {
    folder.DeleteDataFile(paths.PathOf(PathKind::kSettingsFile));
    folder.DeleteDataFile(paths.PathOf(PathKind::kFormulaTextFile));
    folder.DeleteTree(paths.PathOf(PathKind::kUserSkinFolder));
}

std::vector<int> CloseChildInstances(const NamedPaths& paths, const DataFolder& folder,
                                     const InstanceChannel& channel) {
    std::vector<int> closed;
    const std::string pidFolder = paths.PathOf(PathKind::kPidFolder);
    platform::MakeFolder(pidFolder);
    for (const std::string& name : ListPidFiles(pidFolder)) {
        std::optional<int> pid = PidOfCopy(name);
        if (!pid) continue;  // "PID<n>ST.txt" and the like go with the folder at the end
        if (channel.SendToChild(*pid, InstanceMessage::kClose)) {
            closed.push_back(*pid);
        } else {
            folder.DeleteDataFile(pidFolder + name);  // left behind by a child that is gone
            channel.ForgetDeadChild(*pid);
        }
    }
    return closed;
}

void ResetPidFolder(const NamedPaths& paths, const DataFolder& folder) {
    const std::string pidFolder = paths.PathOf(PathKind::kPidFolder);
    folder.DeleteTree(pidFolder);
    platform::MakeFolder(pidFolder);
}

}  // namespace pemu::shell
