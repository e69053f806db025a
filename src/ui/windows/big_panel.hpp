#pragma once
// TfrmBigPanel, "拡大 :F3": the calculator's display at twice its size, for reading it from
// across the desk. It has no state of its own: it follows every change of the main display
// and takes the skin's display panel again whenever the skin changes.
#include <QImage>

#include "display/digital_display.hpp"
#include "ui/windows/secondary_window.hpp"

namespace pemu::ui {

class TfrmBigPanel : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit TfrmBigPanel(AppContext& context);

    // Copies the main display; withBackground takes the skin's display panel again as well.
    void RefreshEnlargedDisplay(bool withBackground);
    // What the window shows, 522 x 200.
    const QImage& Picture();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void WriteSettings() override;

  private:
    display::DigitalDisplay::Listeners::Subscription displayListener_;
    QImage background_;
    qint64 backgroundKey_ = 0;  // the composite the background was taken from
    QImage picture_;
    bool stale_ = true;  // the display changed since the picture was made
};

}  // namespace pemu::ui
