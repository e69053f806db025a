#pragma once
// What the skin chooser does to the skin and the package folder, without a window: the
// standard or custom skin, apply, clear, all clear, save set (with its JPEG preview),
// rename, delete, the applied-parts highlights and the preview picture of a package.
#include <QImage>
#include <array>
#include <string>

#include "display/face.hpp"
#include "shell/file_helpers.hpp"
#include "shell/named_paths.hpp"
#include "shell/settings_store.hpp"
#include "shell/skin_packages.hpp"

namespace pemu::display {

inline constexpr int kPreviewWidth = 115;
inline constexpr int kPreviewHeight = 169;
inline constexpr int kPreviewQuality = 100;

enum class SaveOutcome {
    kSaved,
    kNameTaken,      // the folder exists and no overwrite was given: ask first
    kNoSkinApplied,  // the user skin holds no skin file: nothing to save (old set kept)
    kFailed,         // a copy or the preview could not be written; `error` says why
};

class SkinPackageActions {
  public:
    SkinPackageActions(Face& face, SkinEnvironment& env, shell::SettingsStore& store,
                       const shell::NamedPaths& paths);

    std::string PackageFolder() const;  // with a trailing '/'
    std::string FolderOf(const std::string& packageFolderName) const;
    bool UsesCustomSkin() const;
    // The six recorded package names of [Skin] (CP932), in part order.
    std::array<std::string, shell::kPartCount> RecordedNames() const;

    // The built-in skin shown (CustumSkinType 0), or the user skin again (1).
    void UseStandardSkin();
    void UseCustomSkin();
    // The package becomes part of the user skin; nothing with the standard skin.
    bool Apply(const std::string& packageFolderName);
    // The parts of `tab` by the set rule leave the user skin; the rest is shown again.
    void Clear(int tab);
    // The user skin emptied and every recorded name cleared.
    void AllClear();

    bool SetExists(std::string_view nameCp932, std::string_view authorCp932) const;
    // Saves the user skin as SET_author_name with "Preview.jpg" made from `face` (115 x 169,
    // baseline JPEG of quality 100), and records the set under every applied part.
    SaveOutcome SaveSet(std::string_view nameCp932, std::string_view authorCp932, bool overwrite,
                        const QImage& face, std::string* error = nullptr);

    // The new folder name for a package renamed on tab `tab`, or "" when it is the same.
    std::string RenamedFolder(int tab, const std::string& packageFolderName,
                              std::string_view nameCp932, std::string_view authorCp932) const;
    // Renames (primary copy only). A taken name is replaced only with `overwrite`.
    bool Rename(const std::string& packageFolderName, const std::string& newFolderName,
                bool overwrite);
    bool Delete(const std::string& packageFolderName);

    // Entries of the skin folder of older formats (all but "T8"), removed.
    int RemoveOldSkins();

    // The parts present in a package, for the applied-parts panel.
    std::array<bool, shell::kPartCount> PartsIn(const std::string& packageFolderName) const;
    // "Preview.jpg" of the package, else the no-image picture, scaled to 115 x 169; null when
    // neither can be read.
    QImage Preview(const std::string& packageFolderName) const;

  private:
    void ShowBuiltIn();
    bool IsPrimary() const { return !paths_.isChild(); }

    Face& face_;
    SkinEnvironment& env_;
    shell::SettingsStore& store_;
    const shell::NamedPaths& paths_;
    shell::DataFolder data_;
};

}  // namespace pemu::display
