#include "ui/app_context.hpp"

#include "shell/settings_keys.hpp"
#include "ui/window_switcher.hpp"
#include "ui/windows/update_check.hpp"
#include "ui/windows/window_registry.hpp"

namespace pemu::ui {

AppContext::AppContext(shell::ShellSession& session, core::ShellPort& shellPort,
                       QWidget& mainWindow, core::KeyFamily dentakuType,
                       std::function<void(core::Focus)> giveFocus)
    : session_(session),
      mainWindow_(mainWindow),
      giveFocus_(std::move(giveFocus)),
      storedFamily_(dentakuType),
      // The key pictures ask for the family from their construction on, before the engine.
      face_([this] { return engine_ ? engine_->State().makerType : storedFamily_; }),
      memory_([this]() -> shell::SettingsStore& { return session_.store(); }),
      calc_(std::make_unique<core::Calculator>(face_.display(), shellPort, tape_, dentakuType)),
      windows_(std::make_unique<WindowSwitcher>(*this)),
      updateCheck_(std::make_unique<UpdateCheck>(*this)) {
    engine_ = calc_.get();
    RegisterSecondaryWindows(*windows_, *this);
}

AppContext::~AppContext() = default;

void AppContext::FirstShow(int customSkinType) {
    face_.FirstShow(customSkinType, *this);
    calc_->FirstShow();
}

void AppContext::ReadEngineSettings(const shell::SettingsStore& store) {
    calc_->ApplyStartupSettings(shell::ReadCalculatorSettings(store), &memory_);
}

void AppContext::WriteEngineSettings(shell::SettingsStore& store, bool keepMemory) {
    shell::WriteCalculatorSettings(store, calc_->State());
    memory_.SetMemoryRead(keepMemory);
    calc_->SaveMemory(memory_);
}

void AppContext::ShowKeyNavigation(bool on) {
    // Before the first activation the key table is not loaded: it is drawn then.
    if (!session_.activated()) return;
    if (on)
        navigation_.Show(session_.keyTable());
    else
        navigation_.Hide();
    face_.keys().RefreshKeys();
}

std::filesystem::path AppContext::UserSkinFolder() const {
    return session_.paths().PathOf(shell::PathKind::kUserSkinFolder);
}

bool AppContext::IsPrimaryInstance() const {
    return !session_.paths().isChild();
}

void AppContext::SetSkinIdent(std::string_view ident, std::string_view displayName) {
    store().WriteString(shell::keys::kCustumSkinType.section, ident, displayName);
}

void AppContext::SetCustomSkinType(int type) {
    shell::Write(store(), shell::keys::kCustumSkinType, type);
}

void AppContext::RepaintKeyNavigation() {
    navigation_.SkinLoaded(session_.keyTable());
    face_.keys().RefreshKeys();
}

void AppContext::RedrawDisplay() {
    calc_->DrawNumber(calc_->State().displayValue);
    calc_->RedrawMarks();
}

}  // namespace pemu::ui
