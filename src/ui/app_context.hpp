#pragma once
// What one run of the calculator owns: the engine with its tape, the face it draws on, key
// navigation, the memory kept between runs, the settings (through the shell session) and
// the secondary windows. The main window makes one and draws and forwards; every secondary
// window is handed it; a test makes a fresh one with a fresh window.
#include <QWidget>
#include <functional>
#include <memory>

#include "core/calculator.hpp"
#include "core/shell_port.hpp"
#include "display/face.hpp"
#include "display/key_navigation.hpp"
#include "platform/listener_list.hpp"
#include "shell/calculator_settings.hpp"
#include "shell/shell_session.hpp"
#include "tape/tape_recorder.hpp"

namespace pemu::ui {

class WindowSwitcher;
class UpdateCheck;

class AppContext : public display::SkinEnvironment {
  public:
    // `shellPort` and `mainWindow` are the main window: it outlives the context's use;
    // `giveFocus` is how it takes the keyboard back.
    AppContext(shell::ShellSession& session, core::ShellPort& shellPort, QWidget& mainWindow,
               core::KeyFamily dentakuType, std::function<void(core::Focus)> giveFocus);
    ~AppContext() override;
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    shell::ShellSession& session() { return session_; }
    // The store the run works on: a child's own copy once it has one.
    shell::SettingsStore& store() { return session_.store(); }
    bool IsChild() const { return session_.role() == shell::InstanceRole::kChild; }

    display::Face& face() { return face_; }
    display::KeyNavigation& navigation() { return navigation_; }
    tape::TapeRecorder& tape() { return tape_; }
    core::Calculator& calculator() { return *calc_; }
    shell::SettingsMemoryStore& memory() { return memory_; }
    WindowSwitcher& windows() { return *windows_; }
    // The update check: the "AutoUpdate" setting, the check at start-up, the update program.
    UpdateCheck& updateCheck() { return *updateCheck_; }
    QWidget& mainWindow() { return mainWindow_; }
    // The main window gives the keyboard as an engine operation would have it.
    void GiveMainFocus(core::Focus focus) { giveFocus_(focus); }

    // The key-logic family changed; windows that show it follow.
    using FamilyListeners = platform::ListenerList<core::KeyFamily>;
    [[nodiscard]] FamilyListeners::Subscription AddFamilyListener(
        std::function<void(core::KeyFamily)> fn) {
        return familyListeners_.Add(std::move(fn));
    }
    void NotifyFamilyChanged(core::KeyFamily family) { familyListeners_.Notify(family); }

    // The first show: the skin of the settings applied and "0" drawn.
    void FirstShow(int customSkinType);
    // The first activation: the calculator's keys and the memory kept from the last run.
    void ReadEngineSettings(const shell::SettingsStore& store);
    // The final save: the calculator's keys, then the memory with "MemoryRead" first.
    void WriteEngineSettings(shell::SettingsStore& store, bool keepMemory);
    // Key navigation on or off, drawn from the loaded key table.
    void ShowKeyNavigation(bool on);

    // display::SkinEnvironment
    std::filesystem::path UserSkinFolder() const override;
    bool IsPrimaryInstance() const override;
    void SetSkinIdent(std::string_view ident, std::string_view displayName) override;
    void SetCustomSkinType(int type) override;
    void RepaintKeyNavigation() override;
    void RedrawDisplay() override;

  private:
    shell::ShellSession& session_;
    QWidget& mainWindow_;
    std::function<void(core::Focus)> giveFocus_;
    const core::KeyFamily storedFamily_;
    // The engine once it exists: the face asks for the family while it is being built,
    // before calc_ below is constructed.
    core::Calculator* engine_ = nullptr;
    display::Face face_;
    display::KeyNavigation navigation_{face_.skin()};
    tape::TapeRecorder tape_;
    shell::SettingsMemoryStore memory_;
    std::unique_ptr<core::Calculator> calc_;
    std::unique_ptr<WindowSwitcher> windows_;
    FamilyListeners familyListeners_;
    std::unique_ptr<UpdateCheck> updateCheck_;
};

}  // namespace pemu::ui
