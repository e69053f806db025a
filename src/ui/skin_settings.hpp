#pragma once
// What a skin load needs from the shell: the user skin folder, the role and the [Skin]
// settings of the current store (a child's own copy once it has one).
#include <functional>

#include "display/skin.hpp"
#include "shell/settings_keys.hpp"
#include "shell/shell_session.hpp"

namespace pemu::ui {

class SkinSettings : public display::SkinEnvironment {
  public:
    // `redrawDisplay` draws the display value and the marks again from the engine.
    SkinSettings(shell::ShellSession& session, std::function<void()> redrawDisplay)
        : session_(session), redrawDisplay_(std::move(redrawDisplay)) {}

    std::filesystem::path UserSkinFolder() const override {
        return session_.paths().PathOf(shell::PathKind::kUserSkinFolder);
    }
    bool IsPrimaryInstance() const override { return !session_.paths().isChild(); }
    void SetSkinIdent(std::string_view ident, std::string_view displayName) override {
        session_.store().WriteString("Skin", ident, displayName);
    }
    void SetCustomSkinType(int type) override {
        shell::Write(session_.store(), shell::keys::kCustumSkinType, type);
    }

    // Key navigation is not drawn in this build.
    void RepaintKeyNavigation() override {}
    void RedrawDisplay() override {
        if (redrawDisplay_) redrawDisplay_();
    }

  private:
    shell::ShellSession& session_;
    std::function<void()> redrawDisplay_;
};

}  // namespace pemu::ui
