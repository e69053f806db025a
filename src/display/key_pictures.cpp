#include "display/key_pictures.hpp"

namespace pemu::display {

QImage KeyImage(const Skin& skin, int code, bool pressed, KeyFamily family) {
    const auto cell = KeyCellOf(code, family);
    if (!cell) return {};
    const QImage& sheet = pressed ? skin.ButtonDown() : skin.ButtonUp();
    return sheet.copy(cell->x, cell->y, kKeyWidth, cell->height - 2);
}

KeyPictures::KeyPictures(const Skin& skin, std::function<KeyFamily()> family,
                         std::function<void(int code)> changed)
    : skin_(skin), family_(std::move(family)) {
    if (changed) ownListener_ = listeners_.Add(std::move(changed));
    RefreshKeys();
}

std::optional<Rect> KeyPictures::FaceRectOf(int code) {
    const auto pos = KeyFacePositionOf(code);
    const auto cell = KeyCellOf(code, kSharp);
    if (!pos || !cell) return std::nullopt;
    return Rect{pos->x, pos->y, kKeyWidth, cell->height - 2};
}

void KeyPictures::Draw(int code, bool pressed) {
    const int picture = KeyPictureOf(code);
    QImage image = KeyImage(skin_, picture, pressed, family_ ? family_() : kSharp);
    if (image.isNull()) return;
    pictures_[picture] = std::move(image);
    pressed_[picture] = pressed;
    listeners_.Notify(picture);
}

void KeyPictures::PressKey(int code) {
    Draw(code, true);
}
void KeyPictures::ReleaseKey(int code) {
    Draw(code, false);
}

void KeyPictures::RefreshKeys() {
    for (int code : kKeyPictureCodes)
        Draw(code, false);
}

void KeyPictures::ShowKeys(bool visible) {
    visible_ = visible;
    for (int code : kKeyPictureCodes)
        listeners_.Notify(code);
}

QImage KeyPictures::Picture(int code) const {
    const auto it = pictures_.find(KeyPictureOf(code));
    return it == pictures_.end() ? QImage() : it->second;
}

bool KeyPictures::IsPressed(int code) const {
    const auto it = pressed_.find(KeyPictureOf(code));
    return it != pressed_.end() && it->second;
}

}  // namespace pemu::display
