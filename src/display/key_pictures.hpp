#pragma once
// The 32 key pictures of the face: each shows its cell of the released or the pressed key
// sheet. CE and C take the cells of the current key-logic family.
#include <QImage>
#include <functional>
#include <map>

#include "display/skin.hpp"
#include "display/skin_layout.hpp"
#include "platform/listener_list.hpp"

namespace pemu::display {

class KeyPictures {
  public:
    using Listeners = platform::ListenerList<int>;

    // `family` is asked at every draw; `changed`, when given, listens
    // for as long as the pictures live.
    KeyPictures(const Skin& skin, std::function<KeyFamily()> family,
                std::function<void(int code)> changed = {});

    void PressKey(int code);
    void ReleaseKey(int code);
    // Every key released, in the fixed order 99, 36, 27..35, 37, 1..21.
    void RefreshKeys();
    // Hides or shows all key pictures; the panel underneath stays.
    void ShowKeys(bool visible);
    bool KeysVisible() const { return visible_; }

    // The picture of a key code (41 x height - 2), null for a code without a picture.
    QImage Picture(int code) const;
    bool IsPressed(int code) const;

    // Where a picture sits on the face (41 x height - 2), or nothing.
    static std::optional<Rect> FaceRectOf(int code);

    // Told the picture code whose image changed (7 for 8, 16 for 38), until the subscription
    // ends.
    [[nodiscard]] Listeners::Subscription AddChangedListener(
        std::function<void(int code)> changed) {
        return listeners_.Add(std::move(changed));
    }

  private:
    void Draw(int code, bool pressed);

    const Skin& skin_;
    std::function<KeyFamily()> family_;
    Listeners listeners_;
    Listeners::Subscription ownListener_;
    std::map<int, QImage> pictures_;
    std::map<int, bool> pressed_;
    bool visible_ = true;
};

// The 41 x (height - 2) image of one key from a sheet, or a null image without a cell.
QImage KeyImage(const Skin& skin, int code, bool pressed, KeyFamily family);

}  // namespace pemu::display
