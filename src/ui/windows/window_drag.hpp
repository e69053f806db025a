#pragma once
// Moving a window by dragging a part of it (its background, as if it were the title bar)
// and resizing it by a size grip. The window manager takes the drag where it can; where it
// cannot (no window manager, the offscreen platform) the mouse is followed here.
class QWidget;

namespace pemu::ui {

enum class DragAction { kMove, kResizeBottomRight };

// From now on a left-button drag on `handle` moves or resizes the window it belongs to.
void FollowDrags(QWidget& handle, DragAction action);

}  // namespace pemu::ui
