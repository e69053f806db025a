#pragma once
// What every window of the program shares from the application: the name, the icon in the
// sizes desktops ask for, and Qt's own dialog texts (Yes, No, Cancel, ...) in Japanese like
// the rest of the program.
class QApplication;

namespace pemu::ui {

// Call once, right after the QApplication is made.
void PrepareApplication(QApplication& app);

}  // namespace pemu::ui
