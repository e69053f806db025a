#pragma once
// The update check's part of the run, apart from its dialog: the "AutoUpdate" setting it
// owns (read at the first activation, written at the final save, bound to the dialog's
// check box), the check at start-up, and the start of the downloaded update program.
#include <functional>
#include <string>

#include "shell/settings_store.hpp"

namespace pemu::ui {

class AppContext;

class UpdateCheck {
  public:
    explicit UpdateCheck(AppContext& context) : context_(context) {}

    bool autoUpdate() const { return autoUpdate_; }
    void SetAutoUpdate(bool on) { autoUpdate_ = on; }
    void ReadSettings(const shell::SettingsStore& store);
    void WriteSettings(shell::SettingsStore& store) const;

    // The version record's address ($PEMU_UPDATE_URL overrides the built-in one).
    std::string VersionEndpoint() const;
    // The running version (at most 9 characters).
    static std::string OwnVersion();

    // At the end of the first activation: with "AutoUpdate" on, asks the server; only a
    // newer version that can be downloaded asks the user, and Yes opens the dialog. A child
    // copy never asks (its update items are disabled).
    void AutoCheckAtStart();

    // How the program ends for the update program: set by the main window (the tray
    // residence is given up first, so the close really ends the run).
    void SetEndProgram(std::function<void()> end) { endProgram_ = std::move(end); }
    // Starts the update program in the files folder; the run then ends normally and the
    // program file is kept until the next end. When it cannot be started the user is told
    // and the calculator keeps running.
    void LaunchUpdater();

  private:
    AppContext& context_;
    bool autoUpdate_ = false;
    std::function<void()> endProgram_;
};

}  // namespace pemu::ui
