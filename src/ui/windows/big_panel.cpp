#include "ui/windows/big_panel.hpp"

#include <QPainter>

#include "display/enlarged_display.hpp"
#include "shell/settings_keys.hpp"
#include "ui/app_context.hpp"

namespace pemu::ui {

TfrmBigPanel::TfrmBigPanel(AppContext& context)
    : SecondaryWindow(context, shell::WindowCode::kEnlargedDisplay, "拡大 :F3") {
    setObjectName("frmBigPanel");
    setFixedSize(display::kEnlargedSize.width, display::kEnlargedSize.height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    displayListener_ = context.face().display().AddChangedListener(
        [this](display::DigitalDisplay::Changed) { RefreshEnlargedDisplay(false); });
    RefreshEnlargedDisplay(true);
}

void TfrmBigPanel::RefreshEnlargedDisplay(bool withBackground) {
    const display::Face& face = context().face();
    const qint64 composite = face.skin().PanelComposite().cacheKey();
    // A skin load makes a new composite: the panel is taken again even when nobody says so.
    if (withBackground || composite != backgroundKey_ || background_.isNull()) {
        background_ = display::EnlargedBackground(face.skin());
        backgroundKey_ = composite;
    }
    // A key draws the display several times: the picture is made once, when it is shown.
    stale_ = true;
    update();
}

const QImage& TfrmBigPanel::Picture() {
    if (stale_) {
        const display::Face& face = context().face();
        picture_ = display::EnlargedPicture(background_, face.skin(), face.display());
        stale_ = false;
    }
    return picture_;
}

void TfrmBigPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(0, 0, Picture());
}

void TfrmBigPanel::WriteSettings() {
    shell::SettingsStore& store = context().store();
    shell::Write(store, shell::keys::kBigPanelTop, y());
    shell::Write(store, shell::keys::kBigPanelLeft, x());
}

}  // namespace pemu::ui
