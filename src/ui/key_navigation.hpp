#pragma once
// Key navigation: the keyboard key assigned to each calculator key, written onto the key
// sheets of the skin so that every key picture shows its key. Switching it off gives the
// sheets back as they were.
#include <QImage>

#include "display/skin.hpp"
#include "shell/key_table.hpp"

namespace pemu::ui {

class KeyNavigation {
  public:
    explicit KeyNavigation(display::Skin& skin) : skin_(skin) {}

    bool On() const { return on_; }
    // Writes the names of `table` onto both sheets (again, when already on).
    void Show(const shell::KeyTable& table);
    // The sheets as they were before the names were written.
    void Hide();

  private:
    display::Skin& skin_;
    bool on_ = false;
    QImage plainUp_;
    QImage plainDown_;
};

}  // namespace pemu::ui
