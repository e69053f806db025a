#include "shell/package_install.hpp"

#include <algorithm>
#include <cctype>

#include "platform/cabinet.hpp"
#include "platform/codec.hpp"
#include "platform/file_system.hpp"
#include "shell/file_helpers.hpp"
#include "shell/skin_packages.hpp"

namespace pemu::shell {
namespace {

std::string Join(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

// The folder a package is put together in: inside the data folder (so that moving it in is
// a rename), fresh, and gone afterwards whatever happened.
class Staging {
  public:
    explicit Staging(const NamedPaths& paths)
        : data_(paths.dataRoot()),
          path_(paths.PathOf(PathKind::kSysFolder) + "SkinInstall" +
                std::to_string(platform::CurrentProcessId()) + "/") {
        data_.DeleteTree(path_);
        ready_ = platform::MakeFolders(path_);
    }
    ~Staging() { data_.DeleteTree(path_); }
    bool ready() const { return ready_; }
    const std::string& path() const { return path_; }

  private:
    DataFolder data_;
    std::string path_;
    bool ready_ = false;
};

// Moves what was put together into the package folder. A folder already there is merged
// into, file by file; nothing is written where a link already there leads outside.
std::string MoveTree(const std::string& from, const std::string& to, const DataFolder& packages) {
    for (const platform::FolderEntry& e : platform::ReadFolder(from)) {
        const std::string source = Join(from, e.name);
        const std::string target = Join(to, e.name);
        if (!packages.IsInsideDataRoot(target)) return target + ": leads outside the skin folder";
        if (e.isFolder && platform::PathExists(target)) {
            if (!platform::FolderExists(target)) return target + ": not a folder";
            if (std::string error = MoveTree(source, target, packages); !error.empty())
                return error;
            continue;
        }
        if (const platform::IoResult moved = platform::RenamePath(source, target); !moved)
            return moved.what;
    }
    return "";
}

// A device ("NUL", "com1.bmp", "CON .txt": Windows opens the device whatever follows the
// base name).
bool IsDeviceName(std::string_view part) {
    std::string base(part.substr(0, part.find('.')));
    while (!base.empty() && base.back() == ' ')
        base.pop_back();
    std::transform(base.begin(), base.end(), base.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    for (const char* device : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$", "CLOCK$"})
        if (base == device) return true;
    return base.size() == 4 && (base.rfind("COM", 0) == 0 || base.rfind("LPT", 0) == 0) &&
           std::isdigit(static_cast<unsigned char>(base[3]));
}

// A folder or file name the same on every system: no device, nothing Windows cannot name or
// would silently change (a trailing dot or blank is dropped there), no longer than a name
// may be.
bool PlainNamePart(std::string_view part) {
    constexpr std::size_t kLongestName = 255;
    if (part.size() > kLongestName || part.back() == '.' || part.back() == ' ') return false;
    if (part.find_first_of("<>\"|?*") != std::string_view::npos) return false;
    return !IsDeviceName(part);
}

std::string ExtractCabinet(const std::string& path, const std::string& staging,
                           const DataFolder& packages, InstallOutcome& out) {
    platform::Cabinet cabinet(path);
    if (!cabinet.ok()) return cabinet.error();
    std::vector<std::string> targets;
    for (const platform::CabinetFile& file : cabinet.files()) {
        const std::vector<std::string> parts = SafeStoredName(file.name, file.utf8Name);
        std::string relative;
        for (const std::string& part : parts)
            relative = relative.empty() ? part : relative + "/" + part;
        if (parts.empty() || !packages.IsInsideDataRoot(Join(packages.dataRoot(), relative))) {
            out.refused.push_back(file.utf8Name ? file.name : platform::Cp932ToUtf8(file.name));
            targets.emplace_back();
            continue;
        }
        // Only the first folder level is made.
        if (parts.size() == 2 && !platform::MakeFolder(Join(staging, parts[0])))
            return parts[0] + ": cannot make the folder";
        targets.push_back(Join(staging, relative));
    }
    return cabinet.Extract(targets);
}

}  // namespace

std::string LastComponent(std::string_view path) {
    while (!path.empty() && platform::IsFolderSeparator(path.back()))
        path.remove_suffix(1);
    std::size_t start = path.size();
    while (start > 0 && !platform::IsFolderSeparator(path[start - 1]))
        --start;
    return std::string(path.substr(start));
}

PackageKind KindOfPackage(std::string_view component) {
    if (component.find('.') != std::string_view::npos) {
        if (component.size() <= 4) return PackageKind::kNone;
        std::string tail(component.substr(component.size() - 4));
        std::transform(tail.begin(), tail.end(), tail.begin(),
                       [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
        return tail == ".cab" ? PackageKind::kCabinet : PackageKind::kNone;
    }
    return PartOfFolderName(component) >= 0 ? PackageKind::kFolder : PackageKind::kNone;
}

std::vector<std::string> SafeStoredName(std::string_view stored, bool utf8) {
    const std::string name = utf8 ? std::string(stored) : platform::Cp932ToUtf8(stored);
    if (name.empty() || name.find("..") != std::string::npos || name.find(':') != std::string::npos)
        return {};
    std::vector<std::string> parts{""};
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 0x20) return {};
        if (c == '\\' || c == '/')
            parts.emplace_back();
        else
            parts.back() += c;
    }
    // An empty part is a leading (absolute), doubled or trailing separator.
    for (const std::string& part : parts)
        if (part.empty() || part == "." || !PlainNamePart(part)) return {};
    if (parts.size() > 2) return {};
    return parts;
}

InstallOutcome InstallPackage(const std::string& path, const NamedPaths& paths) {
    InstallOutcome out;
    out.component = LastComponent(path);
    out.kind = KindOfPackage(out.component);
    if (out.kind == PackageKind::kNone) return out;
    const std::string folder = paths.PathOf(PathKind::kSkinPackageFolder);
    if (!platform::MakeFolders(folder)) {
        out.error = folder + ": cannot make the folder";
        return out;
    }
    const DataFolder packages(folder);
    Staging staging(paths);
    if (!staging.ready()) {
        out.error = staging.path() + ": cannot make the folder";
        return out;
    }
    if (out.kind == PackageKind::kCabinet) {
        out.error = ExtractCabinet(path, staging.path(), packages, out);
    } else if (!platform::FolderExists(path)) {
        out.error = path + ": no such folder";
    } else if (!packages.IsInsideDataRoot(Join(folder, out.component))) {
        out.error = Join(folder, out.component) + ": leads outside the skin folder";
    } else {
        const std::string staged = Join(staging.path(), out.component);
        if (!platform::MakeFolder(staged) || !CopyTree(path, staged))
            out.error = path + ": cannot copy the folder";
    }
    if (!out.error.empty()) return out;
    const bool anything = !platform::ReadFolder(staging.path()).empty();
    out.error = MoveTree(staging.path(), folder, packages);
    out.installed = anything && out.error.empty();
    return out;
}

}  // namespace pemu::shell
