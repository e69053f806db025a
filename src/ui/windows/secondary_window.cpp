#include "ui/windows/secondary_window.hpp"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>

#include "platform/qt/virtual_key.hpp"
#include "shell/window_policy.hpp"
#include "ui/app_context.hpp"
#include "ui/window_switcher.hpp"

namespace pemu::ui {

namespace {
// A dialog of the calculator window: the window system keeps it in front of its owner (an
// ordinary window would not be transient for it on X11).
constexpr Qt::WindowFlags kOwnedWindow = Qt::Dialog | Qt::CustomizeWindowHint |
                                         Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                                         Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
}  // namespace

SecondaryWindow::SecondaryWindow(AppContext& context, shell::WindowCode code,
                                 std::string_view caption)
    : QWidget(&context.mainWindow(), kOwnedWindow), context_(context), code_(code) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(context.windows().CaptionOf(caption));
    // Keys are seen before the focused control, as the window's key preview.
    qApp->installEventFilter(this);
}

SecondaryWindow::~SecondaryWindow() = default;

bool SecondaryWindow::WindowKeyDown(int, KeyModifiers) {
    return false;
}

void SecondaryWindow::SetOuterMinimum(QSize outer, QSize designedClient) {
    outerMinimum_ = outer;
    designedClient_ = designedClient;
    ApplyOuterMinimum();
}

void SecondaryWindow::ApplyOuterMinimum() {
    if (outerMinimum_.isEmpty()) return;
    const QMargins m = context_.windows().FrameOf(*this);
    const platform::Size min =
        shell::MinimumClientSize({outerMinimum_.width(), outerMinimum_.height()},
                                 {m.left() + m.right(), m.top() + m.bottom()},
                                 {designedClient_.width(), designedClient_.height()});
    setMinimumSize(min.width, min.height);
}

void SecondaryWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    ApplyOuterMinimum();
}

void SecondaryWindow::changeEvent(QEvent* event) {
    QWidget::changeEvent(event);
    if (event->type() != QEvent::ActivationChange || !isActiveWindow()) return;
    context_.windows().NoteActivated(code_);
    if (framed_) return;
    // The frame is known now: the minimum and the place are checked against it.
    framed_ = true;
    ApplyOuterMinimum();
    context_.windows().KeepOnScreen(*this);
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
