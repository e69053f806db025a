#pragma once
// Dragging a widget with the left mouse button: a press on `handle` grabs `target` (a child
// panel, or a whole window), moving the mouse moves it, and releasing calls `dropped`.
#include <QObject>
#include <QPoint>
#include <functional>

class QFrame;
class QLayout;
class QWidget;

namespace pemu::ui {

class DragMover : public QObject {
    Q_OBJECT
  public:
    // Lives as long as `handle`.
    DragMover(QWidget* handle, QWidget* target, std::function<void()> dropped = {});

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* target_;
    std::function<void()> dropped_;
    bool dragging_ = false;
    QPoint grab_;        // global position of the press
    QPoint targetFrom_;  // where the target stood then
};

// A panel floating over its window, once its controls are in `layout`: a raised frame on its
// own background, as big as its controls need, dragged by its frame, hidden until shown.
void FinishFloatingPanel(QFrame& panel, QLayout& layout);

}  // namespace pemu::ui
