#pragma once
// Key navigation: the keyboard key assigned to each calculator key, written onto the key
// sheets of the skin so that every key picture shows its key. Switching it off gives the
// sheets back as they were.
#include <QImage>

#include "display/skin.hpp"
#include "shell/key_table.hpp"

namespace pemu::display {

class KeyNavigation {
  public:
    explicit KeyNavigation(Skin& skin) : skin_(skin) {}

    bool On() const { return on_; }
    // Writes the names of `table` onto both sheets (again, when already on).
    void Show(const shell::KeyTable& table);
    // The sheets as they were before the names were written.
    void Hide();
    // After a skin load the sheets are new: when on, the names go onto them.
    void SkinLoaded(const shell::KeyTable& table);

  private:
    Skin& skin_;
    bool on_ = false;
    QImage plainUp_;
    QImage plainDown_;
};

}  // namespace pemu::display
