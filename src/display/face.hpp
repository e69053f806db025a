#pragma once
// Everything the main window paints: the skin's pictures, the digital display and the key
// pictures, kept consistent across skin loads. The window owns one Face, hands the display
// to the engine as its DisplayPort and the key pictures to its key handlers.
#include <filesystem>
#include <functional>

#include "display/digital_display.hpp"
#include "display/key_pictures.hpp"
#include "display/skin.hpp"
#include "platform/listener_list.hpp"

namespace pemu::display {

class Face {
  public:
    // `family` answers the current key-logic family.
    explicit Face(std::function<KeyFamily()> family);

    Skin& skin() { return skin_; }
    const Skin& skin() const { return skin_; }
    DigitalDisplay& display() { return display_; }
    const DigitalDisplay& display() const { return display_; }
    KeyPictures& keys() { return keys_; }
    const KeyPictures& keys() const { return keys_; }

    // The first show: with "CustumSkinType" 0 the built-in pictures, otherwise the user skin
    // (mode 1); the keys released, the panel marks prepared, the strip erased. The caller
    // then draws "0" through the engine.
    void FirstShow(int customSkinType, SkinEnvironment& env);

    // A skin or skin part from a folder, then the panel marks, the keys and (outside
    // start-up) key navigation and the display value redrawn; "CustumSkinType" becomes 0
    // after mode 2 and 1 after any other mode.
    LoadResult LoadSkin(const std::filesystem::path& folder, LoadMode mode, SkinEnvironment& env);

    using SkinListeners = platform::ListenerList<>;
    // Told after every skin load, until the subscription ends: a view that shows the panel
    // (the face, the enlarged display) repaints it with its background.
    [[nodiscard]] SkinListeners::Subscription AddSkinChangedListener(
        std::function<void()> changed) {
        return skinListeners_.Add(std::move(changed));
    }

    // The panel with the composite display panel, the display pictures and every visible
    // key picture: what the window shows (also the skin chooser's preview).
    QImage Render() const;

  private:
    Skin skin_;
    DigitalDisplay display_;
    KeyPictures keys_;
    SkinListeners skinListeners_;
};

}  // namespace pemu::display
