#pragma once
// The six face pictures (panel, released and pressed key sheets, display panel, digit and
// mark strips), the composite display panel, and loading a skin or skin part from a folder.
#include <QColor>
#include <QImage>
#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace pemu::display {

// Skin parts; the number is the part's index, the prefix its settings ident.
enum class SkinPart {
    kSet = 0,
    kPanel = 1,
    kButtons = 2,
    kDisplayPanel = 3,
    kDigitNumber = 4,
    kDigitMark = 5
};
std::string_view PrefixOf(SkinPart part);  // "SET_", "PNL_", ...

// The six file names in loading order.
inline constexpr std::array<const char*, 6> kSkinFiles{
    {"imgBackPanel.bmp", "imgButtonUp.bmp", "imgButtonDown.bmp", "imgDigitalPanel.bmp",
     "imgDigitalNumber.bmp", "imgDigitalMark.bmp"}};
inline constexpr const char* kSkinOptionFile = "option.ini";
inline constexpr const char* kSkinPreviewFile = "Preview.jpg";
inline constexpr const char* kNoImageFile = "NoImage.jpg";

enum class LoadMode {
    kStartUp = 1,            // the user skin at start-up
    kDefaultForDisplay = 2,  // the default skin, shown only
    kReloadUser = 3,         // the user skin again
    kApplyPackage = 4,       // a skin package or part, copied into the user skin
    kResetToDefault = 5,     // the default skin becomes the user skin
};

// What a skin load needs from the rest of the program.
class SkinEnvironment {
  public:
    virtual ~SkinEnvironment() = default;
    virtual std::filesystem::path UserSkinFolder() const = 0;
    virtual bool IsPrimaryInstance() const = 0;
    // [Skin] ident ("SET_", "PNL_", ...) := display name (CP932 bytes).
    virtual void SetSkinIdent(std::string_view ident, std::string_view displayName) = 0;
    // [Skin] "CustumSkinType" in memory.
    virtual void SetCustomSkinType(int type) = 0;
    // After a load outside start-up: the key names of key navigation written again, and the
    // display value and the marks drawn again from the engine's state.
    virtual void RepaintKeyNavigation() = 0;
    virtual void RedrawDisplay() = 0;
};

struct LoadResult {
    int picturesLoaded = 0;       // pictures taken from the folder
    bool anyPartApplied = false;  // modes 3 and 4: something was copied into the user skin
    std::string error;            // the first file that could not be copied, else ""
};

class Skin {
  public:
    // Starts with the built-in pictures compiled into the program.
    Skin();

    const QImage& Panel() const { return pictures_[0]; }
    const QImage& ButtonUp() const { return pictures_[1]; }
    const QImage& ButtonDown() const { return pictures_[2]; }
    const QImage& DigitalPanel() const { return pictures_[3]; }
    const QImage& DigitalNumber() const { return pictures_[4]; }
    const QImage& DigitalMark() const { return pictures_[5]; }
    const QImage& PanelComposite() const { return panelComposite_; }

    // The six pictures, built-in, as loaded from the program's resources.
    static const std::array<QImage, 6>& BuiltIn();

    // The panel at (0, 0) and the composite display panel at (5, 9): the face without keys.
    QImage PaintFace() const;
    QImage FaceImage() const { return PaintFace(); }  // the same, by its earlier name

    // The picture side of a skin load: the files of `folder` (any subset; a missing or
    // unreadable file leaves its picture) in order, copied into the user skin in modes 3
    // and 4, the package recorded in mode 4, the composite rebuilt, pressed keys composed
    // (modes 1, 3, 4) and the label colours set. Face::LoadSkin adds marks, keys, display.
    LoadResult LoadPictures(const std::filesystem::path& folder, LoadMode mode,
                            SkinEnvironment& env);

    // With the user skin's "ButtonCompound" = 1, pressed keys show the panel through the
    // pressed sheet's transparent colour.
    void ComposePressedKeys(const std::filesystem::path& userSkinFolder);

    // Text colours of labAns, labIpt, labRs, labDc.
    const std::array<QColor, 4>& LabelColours() const { return labelColours_; }

    // Rebuilds the composite from the current panel and display panel.
    void RebuildComposite();

    // Replaces one picture (0..5 in file order); for tests and the skin chooser's preview.
    void SetPicture(int index, const QImage& image);

  private:
    void UpdateLabelColours(const std::filesystem::path& userSkinFolder);
    bool LoadOne(const std::filesystem::path& folder, int index);

    std::array<QImage, 6> pictures_;
    QImage panelComposite_;
    std::array<QColor, 4> labelColours_;
};

// True when the picture is large enough for every cell of the file at `index` (file order).
bool FitsSkinFile(const QImage& image, int index);

// option.ini of a skin folder: [Value] "ButtonCompound", 0 when missing or unreadable.
int ReadButtonCompound(const std::filesystem::path& folder);
// The same from the file's text: the number its value begins with (as atoi read it), 0 when
// there is none or it does not fit an int.
int ButtonCompoundOf(std::string_view optionText);
// Sets [Value] "ButtonCompound" in the folder's option.ini, creating it; other lines stay.
bool WriteButtonCompound(const std::filesystem::path& folder, int value);

}  // namespace pemu::display
