#pragma once
// The open secondary windows, one code character each, activated longest ago first.
#include <cstddef>
#include <string>
#include <string_view>

#include "shell/named_paths.hpp"

namespace pemu::shell {

// The code of each secondary window in the list; kMain stands for the main window, which is
// never listed.
enum class WindowCode : char {
    kMain = '0',
    kCheckTape = '1',
    kKeyAssignment = '2',
    kEnlargedDisplay = '3',
    kFormula = '4',
    kSkinChooser = '7',
    kUpdate = '8',
    kVersion = '9',
    kTaxRate = ':',
    kLogViewer = ';',
};

// The window of a list code; the main window for an unknown code.
WindowCode WindowOfCode(char code);
inline char CodeOf(WindowCode window) {
    return static_cast<char>(window);
}

inline constexpr std::size_t kOpenWindowListMax = 29;

// Windows reopened at start: check tape, enlarged display, formula, skin chooser, log viewer.
bool IsReopenedAtStart(char code);

class OpenWindowList {
  public:
    const std::string& text() const { return text_; }
    bool empty() const { return text_.empty(); }
    void Clear() { text_.clear(); }

    void NoteWindowActivated(char code);
    void NoteWindowClosed(char code);

    // While frozen, activations do not reorder the list.
    void Freeze() { frozen_ = true; }
    void Unfreeze() { frozen_ = false; }
    bool frozen() const { return frozen_; }

    // Empties the list and returns the codes to open, in the saved order (others dropped).
    // The windows put themselves back as they are activated.
    std::string TakeForReopen(std::string_view saved);

  private:
    std::string text_;
    bool frozen_ = false;
};

// What F8 / a secondary window's closing key does.
struct CloseNewestDecision {
    enum class Action { kCloseWindow, kCloseMainWindow, kAskToEnd } action;
    char code = 0;  // for closeWindow
};
CloseNewestDecision DecideCloseNewest(const OpenWindowList& list, InstanceRole role);

// "Pemuを終了します。よろしいですか？" (CP932), asked before the primary ends by F8.
std::string EndQuestionText();

// Implemented by the window: sets one window's visibility.
class WindowVisibility {
  public:
    virtual ~WindowVisibility() = default;
    virtual void SetMainWindowVisible(bool visible) = 0;
    virtual void SetWindowVisible(char code, bool visible) = 0;
};
// Shows or hides the main window and every listed window without reordering the list.
void ShowAllWindows(OpenWindowList& list, WindowVisibility& windows, bool visible);

}  // namespace pemu::shell
