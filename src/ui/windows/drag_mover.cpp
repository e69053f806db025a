#include "ui/windows/drag_mover.hpp"

#include <QFrame>
#include <QLayout>
#include <QMouseEvent>
#include <QWidget>

namespace pemu::ui {

DragMover::DragMover(QWidget* handle, QWidget* target, std::function<void()> dropped)
    : QObject(handle), target_(target), dropped_(std::move(dropped)) {
    handle->installEventFilter(this);
}

bool DragMover::eventFilter(QObject* watched, QEvent* event) {
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseMove &&
        type != QEvent::MouseButtonRelease) {
        return QObject::eventFilter(watched, event);
    }
    const auto* mouse = static_cast<QMouseEvent*>(event);
    const QPoint at = mouse->globalPosition().toPoint();
    if (type == QEvent::MouseButtonPress && mouse->button() == Qt::LeftButton) {
        dragging_ = true;
        grab_ = at;
        targetFrom_ = target_->pos();
        return true;
    }
    if (!dragging_) return QObject::eventFilter(watched, event);
    if (type == QEvent::MouseMove) {
        target_->move(targetFrom_ + (at - grab_));
        return true;
    }
    if (mouse->button() != Qt::LeftButton) return QObject::eventFilter(watched, event);
    dragging_ = false;
    if (dropped_) dropped_();
    return true;
}

void FinishFloatingPanel(QFrame& panel, QLayout& layout) {
    panel.setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel.setLineWidth(2);
    panel.setAutoFillBackground(true);
    layout.setContentsMargins(6, 6, 6, 6);
    layout.setSpacing(2);
    panel.adjustSize();
    panel.setFixedSize(panel.sizeHint());
    new DragMover(&panel, &panel);
    panel.hide();
}

}  // namespace pemu::ui
