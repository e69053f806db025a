#pragma once
// The open secondary windows, one code character each, activated longest ago first.
#include <cstddef>
#include <string>
#include <string_view>

#include "shell/named_paths.hpp"

namespace pemu::shell {

namespace window_code {
inline constexpr char kCheckTape = '1';
inline constexpr char kKeyAssignment = '2';
inline constexpr char kEnlargedDisplay = '3';
inline constexpr char kFormula = '4';
inline constexpr char kSkinChooser = '7';
inline constexpr char kUpdateCheck = '8';
inline constexpr char kVersion = '9';
inline constexpr char kTaxRate = ':';
inline constexpr char kLogViewer = ';';
}  // namespace window_code

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
    enum class Action { closeWindow, closeMainWindow, askToEnd } action;
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
