#pragma once
// The size grip at the bottom right of a window that can be resized: the dots of
// display::DrawSizeGrip; dragging it resizes the window.
#include <QSizeGrip>

namespace pemu::ui {

class SizeGrip : public QSizeGrip {
    Q_OBJECT
  public:
    static constexpr int kSize = 15;
    explicit SizeGrip(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace pemu::ui
