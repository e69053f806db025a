#include "display/face.hpp"

#include "display/image_ops.hpp"

namespace pemu::display {

Face::Face(std::function<KeyFamily()> family) : display_(skin_), keys_(skin_, std::move(family)) {}

void Face::FirstShow(int customSkinType, SkinEnvironment& env) {
    if (customSkinType == 0) {
        skin_.RebuildComposite();
        display_.PrepareSyncMarks();
        keys_.RefreshKeys();
    } else {
        LoadSkin(env.UserSkinFolder(), LoadMode::kStartUp, env);
    }
    display_.EraseMarkStrip(core::StripRegion::kWhole);
}

LoadResult Face::LoadSkin(const std::filesystem::path& folder, LoadMode mode,
                          SkinEnvironment& env) {
    LoadResult result = skin_.LoadPictures(folder, mode, env);
    display_.PrepareSyncMarks();
    keys_.RefreshKeys();
    if (mode != LoadMode::kStartUp) {
        env.RepaintKeyNavigation();
        env.RedrawDisplay();
    }
    env.SetCustomSkinType(mode == LoadMode::kDefaultForDisplay ? 0 : 1);
    skinListeners_.Notify();
    return result;
}

QImage Face::Render() const {
    QImage face = skin_.PaintFace();
    const QImage& panel = display_.DigitPanel();
    const QImage& marks = display_.MarkStrip();
    CopyRect(face, kDigitPanelPos.x, kDigitPanelPos.y, panel, 0, 0, panel.width(), panel.height());
    CopyRect(face, kMarkStripPos.x, kMarkStripPos.y, marks, 0, 0, marks.width(), marks.height());
    if (!keys_.KeysVisible()) return face;
    for (int code : kKeyPictureCodes) {
        const auto rect = KeyPictures::FaceRectOf(code);
        const QImage picture = keys_.Picture(code);
        if (rect && !picture.isNull())
            CopyRect(face, rect->x, rect->y, picture, 0, 0, rect->width, rect->height);
    }
    return face;
}

}  // namespace pemu::display
