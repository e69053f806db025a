#include "shell/open_window_list.hpp"

#include <algorithm>

#include "platform/codec.hpp"

namespace pemu::shell {

WindowCode WindowOfCode(char code) {
    static constexpr std::string_view kKnown = "1234789:;";
    return kKnown.find(code) == std::string_view::npos || code == '\0'
               ? WindowCode::kMain
               : static_cast<WindowCode>(code);
}

bool IsReopenedAtStart(char code) {
    return std::string_view("1347;").find(code) != std::string_view::npos;
}

void OpenWindowList::NoteWindowActivated(char code) {
    if (frozen_ || (!text_.empty() && text_.back() == code)) return;
    std::erase(text_, code);
    text_ += code;
    // Each code occurs once, so the bound is never reached by real windows.
    if (text_.size() > kOpenWindowListMax) text_.erase(0, text_.size() - kOpenWindowListMax);
}

void OpenWindowList::NoteWindowClosed(char code) {
    // Its own code leaves the list, also while frozen (never another window's code).
    std::erase(text_, code);
}

std::string OpenWindowList::TakeForReopen(std::string_view saved) {
    std::string codes;
    for (char code : saved.substr(0, kOpenWindowListMax)) {
        if (IsReopenedAtStart(code)) codes += code;
    }
    text_.clear();
    return codes;
}

CloseNewestDecision DecideCloseNewest(const OpenWindowList& list, InstanceRole role) {
    using Action = CloseNewestDecision::Action;
    if (!list.empty()) return {Action::kCloseWindow, list.text().back()};
    if (role == InstanceRole::kChild) return {Action::kCloseMainWindow, 0};
    return {Action::kAskToEnd, 0};
}

std::string EndQuestionText() {
    return platform::Sjis("Pemuを終了します。よろしいですか？");
}

void ShowAllWindows(OpenWindowList& list, WindowVisibility& windows, bool visible) {
    list.Freeze();
    for (char code : std::string(list.text()))
        windows.SetWindowVisible(code, visible);
    windows.SetMainWindowVisible(visible);
    list.Unfreeze();
}

}  // namespace pemu::shell
