#include "display/skin_package_actions.hpp"

#include "display/codec/jpeg_file.hpp"
#include "platform/file_system.hpp"
#include "shell/settings_keys.hpp"

namespace pemu::display {
namespace {

using shell::PathKind;

std::string Join(const std::string& folder, std::string_view name) {
    std::string path = folder;
    if (!path.empty() && path.back() != '/') path += '/';
    path += name;
    return path;
}

// A package is one folder directly in the package folder, never the folder itself.
bool IsPlainName(const std::string& name) {
    return !name.empty() && name.find('/') == std::string::npos && name != "." && name != "..";
}

QImage ToPreviewSize(const QImage& image) {
    return image.scaled(kPreviewWidth, kPreviewHeight, Qt::IgnoreAspectRatio,
                        Qt::SmoothTransformation);
}

}  // namespace

SkinPackageActions::SkinPackageActions(Face& face, SkinEnvironment& env,
                                       shell::SettingsStore& store, const shell::NamedPaths& paths)
    : face_(face), env_(env), store_(store), paths_(paths), data_(paths.dataRoot()) {}

std::string SkinPackageActions::PackageFolder() const {
    return paths_.PathOf(PathKind::kSkinPackageFolder);
}

std::string SkinPackageActions::FolderOf(const std::string& name) const {
    return Join(PackageFolder(), name);
}

bool SkinPackageActions::UsesCustomSkin() const {
    return shell::Read(store_, shell::keys::kCustumSkinType) != 0;
}

std::array<std::string, shell::kPartCount> SkinPackageActions::RecordedNames() const {
    std::array<std::string, shell::kPartCount> names;
    for (std::size_t part = 0; part < names.size(); ++part)
        names[part] = shell::Read(store_, shell::keys::kSkinPartNames[part]);
    return names;
}

// The default skin files may be missing (a data folder without its template): what they do
// not replace is the built-in picture, never what the user skin left.
void SkinPackageActions::ShowBuiltIn() {
    for (int i = 0; i < static_cast<int>(kSkinFiles.size()); ++i)
        face_.skin().SetPicture(i, Skin::BuiltIn()[static_cast<std::size_t>(i)]);
}

void SkinPackageActions::UseStandardSkin() {
    ShowBuiltIn();
    face_.LoadSkin(paths_.PathOf(PathKind::kDefaultsFolder), LoadMode::kDefaultForDisplay, env_);
}

void SkinPackageActions::UseCustomSkin() {
    face_.LoadSkin(env_.UserSkinFolder(), LoadMode::kReloadUser, env_);
}

bool SkinPackageActions::Apply(const std::string& name) {
    if (!UsesCustomSkin() || !IsPlainName(name)) return false;
    return face_.LoadSkin(FolderOf(name), LoadMode::kApplyPackage, env_).anyPartApplied;
}

void SkinPackageActions::Clear(int tab) {
    const std::string user = env_.UserSkinFolder().string();
    for (int part : shell::PartsToClear(tab, RecordedNames())) {
        for (const std::string& file : shell::FilesOfPart(part))
            data_.DeleteDataFile(Join(user, file));
        shell::Write(store_, shell::keys::kSkinPartNames[static_cast<std::size_t>(part)], "");
    }
    UseStandardSkin();
    UseCustomSkin();
}

void SkinPackageActions::AllClear() {
    ShowBuiltIn();
    face_.LoadSkin(paths_.PathOf(PathKind::kDefaultsFolder), LoadMode::kResetToDefault, env_);
}

bool SkinPackageActions::SetExists(std::string_view name, std::string_view author) const {
    return platform::PathExists(FolderOf(shell::PackageFolderName(0, author, name)));
}

SaveOutcome SkinPackageActions::SaveSet(std::string_view name, std::string_view author,
                                        bool overwrite, const QImage& face, std::string* error) {
    const std::string folder = FolderOf(shell::PackageFolderName(0, author, name));
    const std::string user = env_.UserSkinFolder().string();
    if (platform::PathExists(folder) && !overwrite) return SaveOutcome::kNameTaken;
    // Checked before the old set goes: a save that cannot happen must not lose it.
    if (!shell::HasAppliedSkinFiles(user)) return SaveOutcome::kNoSkinApplied;
    const auto failed = [error](std::string why) {
        if (error) *error = std::move(why);
        return SaveOutcome::kFailed;
    };
    if (platform::PathExists(folder) && !data_.DeleteTree(folder))
        return failed(folder + ": cannot remove the old set");
    if (!platform::MakeFolders(folder) || !shell::CopyTree(user, folder))
        return failed(folder + ": cannot copy the skin");
    const std::string written =
        WriteJpeg(ToPreviewSize(face), Join(folder, kSkinPreviewFile), kPreviewQuality);
    if (!written.empty()) return failed(written);
    const std::string record = shell::SetRecordName(name);
    const auto recorded = RecordedNames();
    shell::Write(store_, shell::keys::kSkinPartNames[0], record);
    for (std::size_t part = 1; part < recorded.size(); ++part)
        if (!recorded[part].empty())
            shell::Write(store_, shell::keys::kSkinPartNames[part], record);
    return SaveOutcome::kSaved;
}

std::string SkinPackageActions::RenamedFolder(int tab, const std::string& name,
                                              std::string_view newName,
                                              std::string_view newAuthor) const {
    const std::string renamed = shell::PackageFolderName(tab, newAuthor, newName);
    return renamed == name ? "" : renamed;
}

bool SkinPackageActions::Rename(const std::string& name, const std::string& newName,
                                bool overwrite) {
    if (!IsPrimary() || !IsPlainName(name) || !IsPlainName(newName) || name == newName)
        return false;
    const std::string target = FolderOf(newName);
    if (platform::PathExists(target)) {
        if (!overwrite || !data_.DeleteTree(target)) return false;
    }
    return platform::RenamePath(FolderOf(name), target).ok;
}

bool SkinPackageActions::Delete(const std::string& name) {
    if (!IsPrimary() || !IsPlainName(name)) return false;
    return data_.DeleteTree(FolderOf(name));
}

int SkinPackageActions::RemoveOldSkins() {
    const std::string skins = paths_.PathOf(PathKind::kSkinFolder);
    int removed = 0;
    for (const platform::FolderEntry& e : platform::ReadFolder(skins)) {
        if (e.name == "T8") continue;
        const std::string path = Join(skins, e.name);
        if (e.isFolder ? data_.DeleteTree(path) : data_.DeleteDataFile(path)) ++removed;
    }
    return removed;
}

std::array<bool, shell::kPartCount> SkinPackageActions::PartsIn(const std::string& name) const {
    std::array<bool, shell::kPartCount> parts{};
    if (!IsPlainName(name)) return parts;
    for (int part = 0; part < shell::kPartCount; ++part)
        parts[static_cast<std::size_t>(part)] =
            platform::FileExists(Join(FolderOf(name), shell::HighlightFileOfPart(part)));
    return parts;
}

QImage SkinPackageActions::Preview(const std::string& name) const {
    std::optional<QImage> image;
    if (IsPlainName(name)) image = ReadJpeg(Join(FolderOf(name), kSkinPreviewFile));
    if (!image) image = ReadJpeg(paths_.PathOf(PathKind::kNoImageFile));
    return image ? ToPreviewSize(*image) : QImage();
}

}  // namespace pemu::display
