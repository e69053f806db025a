#include "display/skin.hpp"

#include <QPainter>
#include <system_error>

#include "display/bitmap_file.hpp"
#include "display/image_ops.hpp"
#include "display/skin_layout.hpp"
#include "platform/codec.hpp"
#include "platform/file_system.hpp"

namespace pemu::display {
namespace fs = std::filesystem;
namespace {

constexpr std::array<Size, 6> kBuiltInSizes{
    {kPanelSize, kKeySheetSize, kKeySheetSize, kDisplayPanelSize, kDigitStripSize, kMarkStripSize}};

// The part each file belongs to, in file order.
constexpr std::array<SkinPart, 6> kPartOfFile{{SkinPart::kPanel, SkinPart::kButtons,
                                               SkinPart::kButtons, SkinPart::kDisplayPanel,
                                               SkinPart::kDigitNumber, SkinPart::kDigitMark}};
constexpr int kPanelFile = 0, kButtonUpFile = 1, kButtonDownFile = 2, kDisplayPanelFile = 3;

constexpr bool BuiltInSizesHoldEveryPart() {
    for (std::size_t i = 0; i < kBuiltInSizes.size(); ++i)
        if (kBuiltInSizes[i].width < kSkinFileNeeds[i].width ||
            kBuiltInSizes[i].height < kSkinFileNeeds[i].height)
            return false;
    return true;
}
static_assert(BuiltInSizesHoldEveryPart());

// A picture of the right size in a neutral grey: what is shown if the program's own
// resources could not be read, so that no drawing ever reads outside a picture.
QImage Placeholder(Size size) {
    QImage image(size.width, size.height, QImage::Format_RGB32);
    image.fill(qRgb(192, 192, 192));
    return image;
}

// The package name is the folder's last component; its display name follows the last "_".
std::string PackageName(const fs::path& folder) {
    fs::path name = folder.filename();
    if (name.empty()) name = folder.parent_path().filename();
    return platform::Utf8ToCp932(name.string());
}

bool SameFolder(const fs::path& a, const fs::path& b) {
    std::error_code ec;
    return fs::equivalent(a, b, ec);
}

void EmptyFolder(const fs::path& folder) {
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(folder, ec))
        fs::remove_all(entry.path(), ec);
}

}  // namespace

std::string_view PrefixOf(SkinPart part) {
    static constexpr std::array<std::string_view, 6> kPrefixes{
        {"SET_", "PNL_", "BTN_", "DGP_", "DGN_", "DGM_"}};
    return kPrefixes[static_cast<std::size_t>(part)];
}

const std::array<QImage, 6>& Skin::BuiltIn() {
    static const std::array<QImage, 6> pictures = [] {
        std::array<QImage, 6> result;
        for (std::size_t i = 0; i < kSkinFiles.size(); ++i) {
            const auto image = ReadBitmap(QStringLiteral(":/skin/") + kSkinFiles[i]);
            result[i] = image ? *image : Placeholder(kBuiltInSizes[i]);
        }
        return result;
    }();
    return pictures;
}

Skin::Skin() : pictures_(BuiltIn()) {
    labelColours_.fill(Qt::black);
    RebuildComposite();
}

void Skin::SetPicture(int index, const QImage& image) {
    if (index < 0 || index >= static_cast<int>(pictures_.size()) || image.isNull()) return;
    pictures_[static_cast<std::size_t>(index)] = ToFacePixels(image);
}

void Skin::RebuildComposite() {
    const QImage& display = DigitalPanel();
    panelComposite_ = QImage(display.size(), QImage::Format_RGB32);
    Overlay(display, Panel(), PixelAt(display, kDisplayPanelTransparentKey), kCompositeBackground.x,
            kCompositeBackground.y, panelComposite_, 0, 0);
}

QImage Skin::PaintFace() const {
    QImage face(kFaceSize.width, kFaceSize.height, QImage::Format_RGB32);
    face.fill(Qt::black);
    CopyRect(face, 0, 0, Panel(), 0, 0, kFaceSize.width, kFaceSize.height);
    CopyRect(face, kCompositePos.x, kCompositePos.y, panelComposite_, 0, 0, panelComposite_.width(),
             kCompositePaintedHeight);
    return face;
}

bool FitsSkinFile(const QImage& image, int index) {
    const Size needs = kSkinFileNeeds[static_cast<std::size_t>(index)];
    return image.width() >= needs.width && image.height() >= needs.height;
}

bool Skin::LoadOne(const fs::path& folder, int index) {
    const auto image = ReadBitmap(folder / kSkinFiles[static_cast<std::size_t>(index)]);
    // A picture too small for its cells is refused like a missing file: the one shown stays.
    if (!image || !FitsSkinFile(*image, index)) return false;
    pictures_[static_cast<std::size_t>(index)] = *image;
    return true;
}

LoadResult Skin::LoadPictures(const fs::path& folder, LoadMode mode, SkinEnvironment& env) {
    LoadResult result;
    const fs::path user = env.UserSkinFolder();
    platform::MakeFolders(user.string());
    if (mode == LoadMode::kResetToDefault) {
        if (env.IsPrimaryInstance()) EmptyFolder(user);
        for (int part = 0; part <= 5; ++part)
            env.SetSkinIdent(PrefixOf(static_cast<SkinPart>(part)), "");
    }
    const bool copyIntoUser = mode == LoadMode::kReloadUser || mode == LoadMode::kApplyPackage;
    std::array<bool, 6> applied{};
    for (int i = 0; i < static_cast<int>(kSkinFiles.size()); ++i) {
        if (!LoadOne(folder, i)) continue;
        ++result.picturesLoaded;
        if (!copyIntoUser) continue;
        const fs::path from = folder / kSkinFiles[static_cast<std::size_t>(i)];
        const fs::path to = user / kSkinFiles[static_cast<std::size_t>(i)];
        if (!SameFolder(folder, user)) {
            const auto copied = platform::CopyFileAtomically(from.string(), to.string());
            if (!copied && result.error.empty()) result.error = copied.what;
        }
        applied[static_cast<std::size_t>(kPartOfFile[static_cast<std::size_t>(i)])] = true;
        result.anyPartApplied = true;
        if (i == kButtonUpFile && mode == LoadMode::kApplyPackage)
            WriteButtonCompound(user, ReadButtonCompound(folder));
        if (i == kPanelFile) LoadOne(user, kButtonDownFile);  // keeps the user's pressed keys
    }
    if (mode == LoadMode::kApplyPackage && result.anyPartApplied) {
        const std::string name = PackageName(folder);
        const auto underscore = name.rfind('_');
        std::string display = underscore == std::string::npos ? name : name.substr(underscore + 1);
        if (name.rfind("SET", 0) == 0) {
            env.SetSkinIdent(PrefixOf(SkinPart::kSet), display);
            display += " (SET)";
        } else {
            env.SetSkinIdent(PrefixOf(SkinPart::kSet), "");
        }
        for (int part = 1; part <= 5; ++part)
            if (applied[static_cast<std::size_t>(part)])
                env.SetSkinIdent(PrefixOf(static_cast<SkinPart>(part)), display);
    }
    RebuildComposite();
    if (mode == LoadMode::kStartUp || copyIntoUser) ComposePressedKeys(user);
    UpdateLabelColours(user);
    return result;
}

void Skin::UpdateLabelColours(const fs::path& userSkinFolder) {
    labelColours_.fill(Qt::black);
    if (!platform::FileExists((userSkinFolder / kSkinFiles[kDisplayPanelFile]).string())) return;
    const QImage& display = DigitalPanel();
    if (!SameColour(PixelAt(display, kDisplayPanelLabelColourFlag), qRgb(255, 0, 0))) return;
    for (std::size_t i = 0; i < labelColours_.size(); ++i)
        labelColours_[i] = QColor(PixelAt(display, kDisplayPanelLabelColours[i]));
}

void Skin::ComposePressedKeys(const fs::path& userSkinFolder) {
    if (ReadButtonCompound(userSkinFolder) != 1) return;
    LoadOne(userSkinFolder, kButtonDownFile);
    QImage& pressed = pictures_[kButtonDownFile];
    const QRgb transparent = PixelAt(pressed, kPressedSheetTransparentKey);
    const auto compose = [&](int code, const std::optional<KeyCell>& cell) {
        const auto pos = KeyFacePositionOf(code);
        if (!cell || !pos) return;
        const QImage key = pressed.copy(cell->x, cell->y, kKeyWidth, cell->height - 2);
        Overlay(key, Panel(), transparent, pos->x - 2, pos->y - 2, pressed, cell->x, cell->y);
    };
    for (int code = 1; code <= 37; ++code) {
        if (code > 21 && code < 27) continue;
        compose(code, KeyCellOf(code, kSharp));
    }
    compose(99, KeyCellOf(99, kSharp));
    compose(2, KeyCellOf(2, kCasio));
    compose(7, KeyCellOf(7, kCasio));
}

}  // namespace pemu::display
