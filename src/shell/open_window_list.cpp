#include "shell/open_window_list.hpp"

#include <algorithm>

#include "platform/codec.hpp"

namespace pemu::shell {

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
    if (!list.empty()) return {Action::closeWindow, list.text().back()};
    if (role == InstanceRole::child) return {Action::closeMainWindow, 0};
    return {Action::askToEnd, 0};
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
