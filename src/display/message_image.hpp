#pragma once
// TMsgImg: lines of message text drawn into one image.
#include <QColor>
#include <QFont>
#include <QImage>
#include <functional>
#include <string_view>

namespace pemu::display {

class TMsgImg {
  public:
    // Font "ＭＳ Ｐゴシック" size 10, window text; line height = height of "DUMMY" + 8.
    explicit TMsgImg(QImage& image, std::function<void()> repaint = {});

    // Fills the image and draws each CR LF separated line (CP932, at most 299 bytes) at x 6,
    // from y 6, one line height apart.
    void ShowText(std::string_view cp932Text);
    // A new font; the line height becomes the text height + 4.
    void SetFont(std::string_view faceName, int size, QColor colour);
    int LineHeight() const { return lineHeight_; }

    // Fills an image with the brush colour.
    static void FillImage(QImage& image, QColor pen, QColor brush);

  private:
    QImage& image_;
    std::function<void()> repaint_;
    QFont font_;
    QColor textColour_;
    int lineHeight_ = 0;
};

}  // namespace pemu::display
