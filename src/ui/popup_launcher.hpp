#pragma once
// Hands a text to the popup viewer program beside pemu: the text goes into a new file of the
// PID folder, named after the time and the asking window's position, and the viewer is
// started with the file's path. The log viewer and the check tape window use it.
#include <string_view>

class QWidget;

namespace pemu::ui {

class AppContext;

// A missing viewer, a file that cannot be written or a viewer that does not start is said
// in a message box on `window`; false then.
bool ShowInPopupViewer(AppContext& context, QWidget& window, std::string_view cp932Text);

}  // namespace pemu::ui
