#include "ui/windows/window_drag.hpp"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace pemu::ui {

namespace {

class DragFilter : public QObject {
  public:
    DragFilter(QWidget& handle, DragAction action) : QObject(&handle), action_(action) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* handle = static_cast<QWidget*>(watched);
        switch (event->type()) {
            case QEvent::MouseButtonPress:
                return Press(*handle, *static_cast<QMouseEvent*>(event));
            case QEvent::MouseMove:
                return Move(*handle, *static_cast<QMouseEvent*>(event));
            case QEvent::MouseButtonRelease:
                if (!following_) return false;
                following_ = false;
                return true;
            default:
                return false;
        }
    }

  private:
    bool Press(QWidget& handle, const QMouseEvent& event) {
        if (event.button() != Qt::LeftButton) return false;
        QWidget* window = handle.window();
        if (QWindow* native = window->windowHandle()) {
            const bool taken = action_ == DragAction::kMove
                                   ? native->startSystemMove()
                                   : native->startSystemResize(Qt::BottomEdge | Qt::RightEdge);
            if (taken) return true;
        }
        following_ = true;
        start_ = event.globalPosition().toPoint();
        startPos_ = window->pos();
        startSize_ = window->size();
        return true;
    }

    bool Move(QWidget& handle, const QMouseEvent& event) {
        if (!following_) return false;
        const QPoint delta = event.globalPosition().toPoint() - start_;
        QWidget* window = handle.window();
        if (action_ == DragAction::kMove)
            window->move(startPos_ + delta);
        else
            window->resize(startSize_.width() + delta.x(), startSize_.height() + delta.y());
        return true;
    }

    DragAction action_;
    bool following_ = false;
    QPoint start_;
    QPoint startPos_;
    QSize startSize_;
};

}  // namespace

void FollowDrags(QWidget& handle, DragAction action) {
    handle.installEventFilter(new DragFilter(handle, action));
}

}  // namespace pemu::ui
