#include "ui/windows/secondary_window.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

#include "platform/qt/virtual_key.hpp"
#include "ui/app_context.hpp"
#include "ui/window_switcher.hpp"

namespace pemu::ui {

SecondaryWindow::SecondaryWindow(AppContext& context, shell::WindowCode code,
                                 std::string_view caption)
    : QWidget(nullptr, Qt::Window), context_(context), code_(code) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(context.windows().CaptionOf(caption));
    // Keys are seen before the focused control, as the window's key preview.
    qApp->installEventFilter(this);
}

SecondaryWindow::~SecondaryWindow() = default;

bool SecondaryWindow::WindowKeyDown(int, KeyModifiers) {
    return false;
}

void SecondaryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (placed_) return;
    placed_ = true;
    context_.windows().Place(*this, code_);
}

void SecondaryWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        context_.windows().NoteActivated(code_);
}

void SecondaryWindow::closeEvent(QCloseEvent* event) {
    if (!closed_) {
        closed_ = true;
        WriteSettings();
        context_.windows().NoteClosed(code_);
    }
    event->accept();
}

bool SecondaryWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return QWidget::eventFilter(watched, event);
    // A key for any control of this window; one that is taken goes no further, one that is
    // not is looked at again as it passes to the parents, which changes nothing.
    if (static_cast<QWidget*>(watched)->window() != this)
        return QWidget::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers mods = key->modifiers();
    const KeyModifiers modifiers{(mods & Qt::ShiftModifier) != 0, (mods & Qt::ControlModifier) != 0,
                                 (mods & Qt::AltModifier) != 0};
    const int virtualKey = platform::VirtualKeyOf(*key);
    return WindowKeyDown(virtualKey, modifiers) ||
           context_.windows().HandleWindowKey(code_, virtualKey, modifiers);
}

}  // namespace pemu::ui
