#pragma once
// A picture the image helpers (TMsgImg, TGridImg, TStatus) draw into, shown as it is: the
// windows draw tables and messages into images instead of using grid or text controls.
#include <QImage>
#include <QWidget>

namespace pemu::ui {

class ImageView : public QWidget {
  public:
    // The image starts `width` x `height`, filled with `fill`.
    ImageView(QWidget* parent, int width, int height, QColor fill);

    QImage& image() { return image_; }
    const QImage& image() const { return image_; }
    // After drawing: the view takes the image's size and repaints.
    void Present();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QImage image_;
};

}  // namespace pemu::ui
