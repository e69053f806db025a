#include "shell/open_window_list.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace pemu::shell {
namespace {

using Action = CloseNewestDecision::Action;

TEST(OpenWindowList, ActivationOrderAndClosingByF8) {
    OpenWindowList list;
    list.NoteWindowActivated('1');  // check tape
    list.NoteWindowActivated('4');  // formula
    list.NoteWindowActivated('1');
    EXPECT_EQ(list.text(), "41");
    CloseNewestDecision first = DecideCloseNewest(list, InstanceRole::kPrimary);
    EXPECT_EQ(first.action, Action::kCloseWindow);
    EXPECT_EQ(first.code, '1');
    list.NoteWindowClosed('1');
    EXPECT_EQ(DecideCloseNewest(list, InstanceRole::kPrimary).code, '4');
    list.NoteWindowClosed('4');
    EXPECT_EQ(DecideCloseNewest(list, InstanceRole::kPrimary).action, Action::kAskToEnd);
    EXPECT_EQ(DecideCloseNewest(list, InstanceRole::kChild).action, Action::kCloseMainWindow);
}

TEST(OpenWindowList, FrozenListKeepsItsOrderButLosesClosedWindows) {
    OpenWindowList list;
    for (char c : std::string("13;"))
        list.NoteWindowActivated(c);
    list.Freeze();
    list.NoteWindowActivated('1');
    EXPECT_EQ(list.text(), "13;");
    list.NoteWindowClosed('1');
    EXPECT_EQ(list.text(), "3;") << "the closed window's own code leaves, not the last one";
    list.NoteWindowClosed('7');
    EXPECT_EQ(list.text(), "3;") << "a window that was not listed changes nothing";
    list.Unfreeze();
    list.NoteWindowActivated('3');
    EXPECT_EQ(list.text(), ";3");
}

TEST(OpenWindowList, ReopenTakesOnlyTheReopenedWindowsInOrder) {
    OpenWindowList list;
    list.NoteWindowActivated('2');
    EXPECT_EQ(list.TakeForReopen(";2718:943"), ";7143");
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.TakeForReopen(""), "");
}

class RecordingWindows : public WindowVisibility {
  public:
    void SetMainWindowVisible(bool visible) override { calls.push_back(visible ? "M+" : "M-"); }
    void SetWindowVisible(char code, bool visible) override {
        calls.push_back(std::string(1, code) + (visible ? "+" : "-"));
        list->NoteWindowActivated(code);  // a shown window activates itself
    }
    OpenWindowList* list = nullptr;
    std::vector<std::string> calls;
};

TEST(OpenWindowList, ShowAllWindowsDoesNotReorder) {
    OpenWindowList list;
    for (char c : std::string("41"))
        list.NoteWindowActivated(c);
    RecordingWindows windows;
    windows.list = &list;
    ShowAllWindows(list, windows, true);
    EXPECT_EQ(windows.calls, (std::vector<std::string>{"4+", "1+", "M+"}));
    EXPECT_EQ(list.text(), "41");
    EXPECT_FALSE(list.frozen());
}

}  // namespace
}  // namespace pemu::shell
