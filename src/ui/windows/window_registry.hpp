#pragma once
// Every secondary window type, registered with the switcher under its code: a new window is
// one line in window_registry.cpp.
namespace pemu::ui {

class AppContext;
class WindowSwitcher;

void RegisterSecondaryWindows(WindowSwitcher& windows, AppContext& context);

}  // namespace pemu::ui
