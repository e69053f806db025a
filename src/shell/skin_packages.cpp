#include "shell/skin_packages.hpp"

#include <algorithm>

#include "arithmetic/text.hpp"
#include "platform/codec.hpp"
#include "platform/file_system.hpp"

namespace pemu::shell {
namespace {

constexpr std::size_t kMaxEntryBytes = 100;
constexpr std::string_view kForbidden = "\\/:,;*?\"<>|_.";
constexpr std::string_view kFullWidthBlank = "\x81\x40";
constexpr std::string_view kFullWidthColon = "\x81\x46";

std::string Join(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

// Visits each character: one byte, or the two bytes of a double-byte character.
template <typename Visit>
void ForEachChar(std::string_view s, Visit visit) {
    for (std::size_t i = 0; i < s.size();) {
        const bool pair = arith::IsLeadByte(static_cast<unsigned char>(s[i])) && i + 1 < s.size();
        const std::size_t width = pair ? 2 : 1;
        visit(s.substr(i, width));
        i += width;
    }
}

std::string SortKey(const PackageName& n) {
    return n.name + ":" + n.author;
}

// The name keeps what room there is first; the author gets the rest.
PackageName CutToEntry(PackageName n) {
    n.name = arith::CutWholeChars(n.name, kListEntryBytes);
    n.author = arith::CutWholeChars(n.author, kListEntryBytes - n.name.size());
    return n;
}

}  // namespace

int PartOfFolderName(std::string_view folderName) {
    for (int part = 0; part < kPartCount; ++part)
        if (folderName.substr(0, kPrefixLength) == kPackagePrefixes[static_cast<std::size_t>(part)])
            return part;
    return -1;
}

PackageName SplitPackageName(std::string_view rest) {
    const int underscore = arith::FindChar(rest, '_');
    if (underscore == 0) return {std::string(rest), ""};
    const auto at = static_cast<std::size_t>(underscore - 1);
    return {std::string(rest.substr(at + 1)), std::string(rest.substr(0, at))};
}

std::vector<PackageEntry> ListPackages(const std::string& skinPackageFolder, int part,
                                       bool ascending) {
    std::vector<PackageEntry> entries;
    if (part < 0 || part >= kPartCount) return entries;
    struct Sorted {
        std::string key;
        PackageEntry entry;
    };
    std::vector<Sorted> found;
    for (const platform::FolderEntry& e : platform::ReadFolder(skinPackageFolder)) {
        if (!e.isFolder || PartOfFolderName(e.name) != part) continue;
        if (found.size() == kMaxListedPackages) break;
        const std::string cp932 = platform::Utf8ToCp932(e.name);
        const PackageName name = SplitPackageName(std::string_view(cp932).substr(kPrefixLength));
        found.push_back({SortKey(name), {e.name, CutToEntry(name)}});
    }
    std::stable_sort(found.begin(), found.end(), [ascending](const Sorted& a, const Sorted& b) {
        return ascending ? a.key < b.key : b.key < a.key;
    });
    for (Sorted& s : found)
        entries.push_back(std::move(s.entry));
    return entries;
}

std::vector<std::string> FilesOfPart(int part) {
    switch (part) {
        case 1:
            return {"imgBackPanel.bmp"};
        case 2:
            return {"imgButtonUp.bmp", "imgButtonDown.bmp"};
        case 3:
            return {"imgDigitalPanel.bmp"};
        case 4:
            return {"imgDigitalNumber.bmp"};
        case 5:
            return {"imgDigitalMark.bmp"};
        default:
            return {};
    }
}

std::string_view HighlightFileOfPart(int part) {
    static constexpr std::array<std::string_view, kPartCount> kFiles{
        {"dummy.dummy", "imgBackPanel.bmp", "imgButtonDown.bmp", "imgDigitalPanel.bmp",
         "imgDigitalNumber.bmp", "imgDigitalMark.bmp"}};
    return part >= 0 && part < kPartCount ? kFiles[static_cast<std::size_t>(part)] : "";
}

std::vector<int> PartsToClear(int tab, const std::array<std::string, kPartCount>& recorded) {
    if (tab < 0 || tab >= kPartCount) return {};
    if (tab != 0) return {tab};
    std::vector<int> parts{0};
    constexpr std::string_view kFromSet = "SET)";
    for (int part = 1; part < kPartCount; ++part) {
        const std::string& name = recorded[static_cast<std::size_t>(part)];
        if (name.size() >= kFromSet.size() &&
            name.compare(name.size() - kFromSet.size(), kFromSet.size(), kFromSet) == 0)
            parts.push_back(part);
    }
    return parts;
}

EntryCheck CheckEntry(std::string_view typed) {
    if (typed.size() > kMaxEntryBytes) return {EntryProblem::kTooLong, ""};
    bool forbidden = false;
    std::string text;
    ForEachChar(typed, [&](std::string_view c) {
        if (c.size() == 1 && kForbidden.find(c[0]) != std::string_view::npos) forbidden = true;
        if (c == " " || c == kFullWidthBlank) return;
        // A full-width colon would turn into ":", which no folder name can hold.
        if (c == kFullWidthColon) forbidden = true;
        text += c;
    });
    if (forbidden) return {EntryProblem::kForbiddenCharacter, ""};
    if (text.empty()) return {EntryProblem::kEmpty, ""};
    return {EntryProblem::kNone, text};
}

std::string EntryProblemText(EntryProblem problem) {
    switch (problem) {
        case EntryProblem::kTooLong:
            return platform::Sjis(
                "タイトルは100バイト(半角100文字：全角50文字)以内でお願いします。");
        case EntryProblem::kForbiddenCharacter:
            return platform::Sjis("タイトルに \\ / : , ; * ? \" < > | _ . は使用出来ません。");
        default:
            return "";
    }
}

std::string EntryConfirmText(std::string_view text) {
    return platform::Sjis("「") + std::string(text) + platform::Sjis("」\nでよろしいですか？");
}

std::string PackageFolderName(int part, std::string_view author, std::string_view name) {
    const std::string prefix(kPackagePrefixes[static_cast<std::size_t>(std::clamp(part, 0, 5))]);
    return prefix + platform::Cp932ToUtf8(author) + "_" + platform::Cp932ToUtf8(name);
}

std::string SetRecordName(std::string_view name) {
    return std::string(name) + " (SET)";
}

bool HasAppliedSkinFiles(const std::string& userSkinFolder) {
    for (const char* file : {"imgBackPanel.bmp", "imgDigitalPanel.bmp", "imgButtonDown.bmp",
                             "imgDigitalNumber.bmp", "imgDigitalMark.bmp"})
        if (platform::FileExists(Join(userSkinFolder, file))) return true;
    return false;
}

std::vector<std::string> OldCombinationFolders(const std::string& skinPackageFolder) {
    std::vector<std::string> names;
    for (const platform::FolderEntry& e : platform::ReadFolder(skinPackageFolder))
        if (e.isFolder &&
            e.name.compare(0, kOldCombinationPrefix.size(), kOldCombinationPrefix) == 0)
            names.push_back(e.name);
    return names;
}

int ConvertOldCombinations(const std::string& skinPackageFolder) {
    int renamed = 0;
    for (const std::string& old : OldCombinationFolders(skinPackageFolder)) {
        const std::string target = Join(skinPackageFolder, "SET" + old.substr(3));
        if (platform::PathExists(target)) continue;
        if (platform::RenamePath(Join(skinPackageFolder, old), target)) ++renamed;
    }
    return renamed;
}

}  // namespace pemu::shell
