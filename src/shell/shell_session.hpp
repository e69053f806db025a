#pragma once
// The run of the shell, as the main window calls it: construction, first activation, the
// close request and the final save. The window implements the small host interfaces; every
// order of reads and writes is kept here.
#include <memory>
#include <string>
#include <vector>

#include "core/key_codes.hpp"
#include "platform/file_system.hpp"
#include "shell/file_helpers.hpp"
#include "shell/first_run.hpp"
#include "shell/instance_channel.hpp"
#include "shell/key_table.hpp"
#include "shell/named_paths.hpp"
#include "shell/open_window_list.hpp"
#include "shell/settings_store.hpp"

namespace pemu::shell {

// Read at construction, in this order.
struct ConstructionSettings {
    bool keyPanelOn = false;  // mini size
    bool keyButtonOn = true;  // buttons shown
    core::KeyFamily dentakuType = core::kMakerSharp;
    bool keyNaviOn = false;
    int custumSkinType = 0;
    bool startUpEndOn = true;
    bool placeWindow = false;  // primary with StartUpEndOn: place at left/top, else centre
    int left = 100;
    int top = 100;
    bool frontSideOn = true;
    std::string versionText;
};

// Implemented by the main window for the first activation.
class ActivationHost {
  public:
    virtual ~ActivationHost() = default;
    // "以前の設定で…" with title "Pemu", OK only; then the family becomes CASIO, keys redrawn.
    virtual void ShowPerTypeMessage(const std::string& messageCp932) = 0;
    // Steps 2 to 6: each owner reads its own keys — the calculator (answer check "CLEAR",
    // selectors, family, digits, memory, GT, tape options, tax rate) and the window.
    virtual void ReadSettings(const SettingsStore& store) = 0;
    // A child: caption suffix (CP932) for every window, title "PX", menu items disabled and
    // `MoveToCenter` shown.
    virtual void BecomeChildWindow(const std::string& mainCaption,
                                   const std::string& captionSuffix) = 0;
    // ReopenWindows: open the window of this code (it notes itself when activated).
    virtual void OpenWindow(char code) = 0;
    // After the key table is loaded: key navigation repaint, focus, automatic update check.
    virtual void KeyTableLoaded(const KeyTable& table) = 0;
};

// Implemented by the main window for the final save.
class FinalSaveHost {
  public:
    virtual ~FinalSaveHost() = default;
    virtual void RemoveTrayIcon() = 0;
    // Each owner writes its own keys, after the tape's two fixed ones: the main window's
    // position ([StartUp] "StartUpTop", "StartUpLeft"), the calculator's keys, the memory
    // ("MemoryRead", "MemoryOn", "Memory"), then the window's other keys ("AutoUpdate",
    // [View] "KeyButtonOn", "FrontSideOn", "KeyPanelOn", "TaskBarIn", "StartUpEndOn",
    // "KeyNaviOn"), so every section keeps the order of a fresh settings file.
    virtual void WriteSettings(SettingsStore& store) = 0;
    // The tape: pending setting notes first, then the cleared tapes and the last tape (CP932).
    virtual void FlushSettingNotes() = 0;
    virtual std::string ClearedText() = 0;
    virtual std::string TapeText() = 0;
};

struct FinalSaveReport {
    // The data folder was there: the primary handled settings, log and children, a child
    // appended its tapes to the log.
    bool saved = false;
    platform::IoResult log;       // appending to the calculation log
    platform::IoResult settings;  // flushing the store
    std::vector<int> closedChildren;
    // True when something the user keeps could not be written: report it once.
    bool failed() const { return !log.ok || !settings.ok; }
};

class ShellSession {
  public:
    // Chooses nothing itself: pass the data root and the executable's folder (tests use
    // temporary ones). The role comes from the channel.
    ShellSession(std::string dataRoot, std::string programFolder,
                 std::unique_ptr<InstanceChannel> channel);

    // The process start for the real program on the chosen data root (ChooseDataRoot): the
    // role taken from the lock of that data root, the executable's folder as program folder.
    static std::unique_ptr<ShellSession> StartForThisProcess(std::string dataRoot);

    const NamedPaths& paths() const { return paths_; }
    const DataFolder& dataFolder() const { return dataFolder_; }
    InstanceRole role() const { return paths_.role(); }
    int pid() const { return pid_; }
    InstanceChannel* channel() { return channel_.get(); }

    // Main window construction: first-run copy, the store on the shared settings file, the
    // view settings; the primary removes what a download cut off by a crash left. Call once.
    ConstructionSettings Construct();
    const FirstRunResult& firstRun() const { return firstRun_; }
    // Whether files can be made in the data folder, checked by Construct: when not, nothing
    // of this run (settings, tapes) can be kept, and the user is told so at the start.
    const platform::IoResult& dataFolderCheck() const { return dataFolderCheck_; }

    SettingsStore& store() { return *store_; }
    KeyTable& keyTable() { return keyTable_; }
    OpenWindowList& openWindows() { return openWindows_; }

    // The first activation, steps 1 to 11 (later activations do nothing here).
    void FirstActivate(ActivationHost& host);
    bool activated() const { return activated_; }
    // Why a child's private settings copy could not be written (ok in the primary).
    const platform::IoResult& childCopyResult() const { return childCopy_; }

    // The real close (not the tray hide): saves the list, or "" without StartUpEndOn.
    void SaveOpenWindowList(bool startUpEndOn);

    // The final save, primary steps 1 to 10; a child appends its tapes to the shared log and
    // removes its own files.
    FinalSaveReport FinalSave(FinalSaveHost& host);
    // The update program was started from updaterFile: this run's end leaves the file for
    // the next end to remove, as the program may still be reading it.
    void KeepUpdaterFile() { keepUpdaterFile_ = true; }

  private:
    void SetUpChild(ActivationHost& host);
    // The pending setting notes, the cleared tapes and the last tape, under the log's lock.
    platform::IoResult AppendTapesToLog(FinalSaveHost& host);

    NamedPaths paths_;
    DataFolder dataFolder_;
    std::unique_ptr<InstanceChannel> channel_;
    int pid_ = 0;
    std::unique_ptr<SettingsStore> store_;
    KeyTable keyTable_;
    OpenWindowList openWindows_;
    FirstRunResult firstRun_;
    platform::IoResult dataFolderCheck_;
    platform::IoResult childCopy_;
    bool activated_ = false;
    bool keepUpdaterFile_ = false;
};

}  // namespace pemu::shell
