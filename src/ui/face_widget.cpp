#include "ui/face_widget.hpp"

#include <QAccessible>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QWindow>

#include "core/display_reading.hpp"
#include "core/key_codes.hpp"
#include "display/skin_layout.hpp"
#include "ui/face_accessibility.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {

namespace {
// Click areas beside the selector labels: the captions printed on the panel.
constexpr QRect kLabRsL(190, 88, 22, 18);
constexpr QRect kLabDcL(234, 88, 14, 18);
constexpr int kGrandTotalKey = core::kKeyGrandTotal;
constexpr int kToolTipMs = 10000;  // tooltips stay 10 seconds

QRect ToQRect(const display::Rect& r) {
    return QRect(r.x, r.y, r.width, r.height);
}
}  // namespace

// One key picture: shows the key's image and reports the mouse with its code.
class KeyPictureWidget : public QWidget {
  public:
    KeyPictureWidget(FaceWidget* face, int code, const QRect& place, bool drawn)
        : QWidget(face), face_(face), code_(code), drawn_(drawn) {
        setObjectName(QStringLiteral("bt%1").arg(code));
        setProperty("tag", code);
        setGeometry(place);
        setAttribute(Qt::WA_OpaquePaintEvent, drawn);
        setFocusPolicy(Qt::NoFocus);
        setToolTipDuration(kToolTipMs);
    }
    int Code() const { return code_; }

  protected:
    bool event(QEvent* e) override {
        // The text of the moment: the family and the key table may have changed.
        if (e->type() == QEvent::ToolTip) setToolTip(face_->KeyTextsOf(code_).toolTip);
        return QWidget::event(e);
    }
    void paintEvent(QPaintEvent*) override {
        if (!drawn_) return;
        QPainter p(this);
        p.drawImage(0, 0, face_->keys_.Picture(code_));
    }
    void mousePressEvent(QMouseEvent* e) override {
        emit face_->keyPressed(code_, e->button(), e->globalPosition().toPoint());
    }
    void mouseReleaseEvent(QMouseEvent* e) override { emit face_->keyReleased(code_, e->button()); }

  private:
    FaceWidget* face_;
    int code_;
    bool drawn_;
};

FaceWidget::FaceWidget(const display::Skin& skin, const display::DigitalDisplay& display,
                       const display::KeyPictures& keys, QWidget* parent)
    : QWidget(parent), skin_(skin), display_(display), keys_(keys) {
    setObjectName("Face");
    setFixedSize(display::kFaceSize.width, display::kFaceSize.height);
    setAttribute(Qt::WA_OpaquePaintEvent);
    InstallFaceAccessibility();
    for (int code = core::kKeyPercent; code <= core::kKeyEquals; ++code) {
        if (display::KeyPictureOf(code) != code) continue;  // 8 and 38 draw C and CA
        const auto rect = display::KeyPictures::FaceRectOf(code);
        if (!rect) continue;
        pictures_[code] = new KeyPictureWidget(this, code, ToQRect(*rect), true);
    }
    // The place left of GT has no picture of its own and works as GT.
    const auto gt = display::KeyPictures::FaceRectOf(kGrandTotalKey);
    hotspot_ = new KeyPictureWidget(
        this, kGrandTotalKey, QRect(18, 128, display::kKeyWidth, gt ? gt->height : 25), false);
    hotspot_->setObjectName("btGTArea");
    const display::Rect places[4] = {display::kLabAns, display::kLabIpt, display::kLabRs,
                                     display::kLabDc};
    const char* names[4] = {"labAns", "labIpt", "labRs", "labDc"};
    for (int i = 0; i < 4; ++i) {
        auto* label = new QLabel(this);
        label->setObjectName(names[i]);
        label->setGeometry(ToQRect(places[i]));
        label->setAlignment(i < 2 ? (Qt::AlignRight | Qt::AlignVCenter) : Qt::AlignCenter);
        QFont font = label->font();
        font.setPixelSize(13);
        label->setFont(font);
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
        labels_[i] = label;
    }
    // Draws nothing and takes no clicks: it carries the display for assistive tools.
    readout_ = new QWidget(this);
    readout_->setObjectName("Display");
    readout_->setGeometry(
        display::kMarkStripPos.x, display::kMarkStripPos.y, display::kDigitPanelSize.width,
        display::kDigitPanelPos.y + display::kDigitPanelSize.height - display::kMarkStripPos.y);
    readout_->setAttribute(Qt::WA_TransparentForMouseEvents);
    readingTimer_.setSingleShot(true);
    readingTimer_.setInterval(0);
    connect(&readingTimer_, &QTimer::timeout, this, &FaceWidget::AnnounceReading);
    spokenReading_ = Reading();
    RefreshFace();
}

void FaceWidget::RefreshFace() {
    face_ = skin_.FaceImage();
    UpdateLabels();
    for (auto& [code, picture] : pictures_)
        picture->update();
    update();
}

void FaceWidget::KeyChanged(int code) {
    const auto it = pictures_.find(display::KeyPictureOf(code));
    if (it == pictures_.end()) return;
    it->second->update();
    // A new family renames the clear keys: assistive tools are told.
    const QString name = KeyTextsOf(it->first).name;
    QString& spoken = spokenNames_[it->first];
    if (spoken == name) return;
    const bool told = !spoken.isEmpty();
    spoken = name;
    if (told) {
        QAccessibleEvent event(it->second, QAccessible::NameChanged);
        TellAssistiveTools(event);
    }
}

FaceWidget::KeyTexts FaceWidget::KeyTextsOf(int code) const {
    return keyTexts_ ? keyTexts_(code) : KeyTexts{};
}

int FaceWidget::CodeOfKeyWidget(const QWidget* widget) const {
    if (widget == nullptr) return 0;
    if (widget == hotspot_) return kGrandTotalKey;
    for (const auto& [code, picture] : pictures_) {
        if (picture == widget) return code;
    }
    return 0;
}

bool FaceWidget::IsHotspot(const QWidget* widget) const {
    return widget != nullptr && widget == hotspot_;
}

void FaceWidget::ClickKey(int code) {
    QWidget* key = KeyWidget(code);
    if (!key || !key->isEnabled()) return;
    const QPoint centre = key->mapToGlobal(key->rect().center());
    emit keyPressed(code, Qt::LeftButton, centre);
    emit keyReleased(code, Qt::LeftButton);
}

QString FaceWidget::Reading() const {
    return FromCp932(core::DisplayReading(display_.DrawnText(), display_.ShownMarks()));
}

QString FaceWidget::ShownNumber() const {
    return FromCp932(display_.DrawnText());
}

void FaceWidget::AnnounceReading() {
    const QString reading = Reading();
    if (reading == spokenReading_) return;
    spokenReading_ = reading;
    QAccessibleEvent named(readout_, QAccessible::NameChanged);
    TellAssistiveTools(named);
    QAccessibleValueChangeEvent valued(readout_, ShownNumber());
    TellAssistiveTools(valued);
    emit readingChanged(reading);
}

void FaceWidget::DisplayChanged(display::DigitalDisplay::Changed what) {
    using Changed = display::DigitalDisplay::Changed;
    if (what == Changed::kPanel) {
        update(QRect(display::kDigitPanelPos.x, display::kDigitPanelPos.y,
                     display::kDigitPanelSize.width, display::kDigitPanelSize.height));
    } else if (what == Changed::kMarks) {
        update(QRect(display::kMarkStripPos.x, display::kMarkStripPos.y,
                     display::kMarkStripViewSize.width, display::kMarkStripViewSize.height));
    } else {
        UpdateLabels();
        return;
    }
    readingTimer_.start();
}

void FaceWidget::UpdateLabels() {
    const auto& colours = skin_.LabelColours();
    for (int i = 0; i < 4; ++i) {
        const auto which = static_cast<core::DisplayLabel>(i);
        labels_[i]->setText(FromCp932(display_.Label(which)));
        const QString spoken = FromCp932(core::LabelReading(which, display_.Label(which)));
        if (labels_[i]->accessibleName() != spoken) labels_[i]->setAccessibleName(spoken);
        QPalette p = labels_[i]->palette();
        p.setColor(QPalette::WindowText, colours[i].isValid() ? colours[i] : QColor(Qt::black));
        labels_[i]->setPalette(p);
    }
}

void FaceWidget::SetKeysVisible(bool visible) {
    for (auto& [code, picture] : pictures_)
        picture->setVisible(visible);
}

void FaceWidget::SetKeyEnabled(int code, bool enabled) {
    const auto it = pictures_.find(code);
    if (it != pictures_.end()) it->second->setEnabled(enabled);
}

QWidget* FaceWidget::KeyWidget(int code, bool hotspot) const {
    if (hotspot) return code == kGrandTotalKey ? hotspot_ : nullptr;
    const auto it = pictures_.find(code);
    return it == pictures_.end() ? nullptr : it->second;
}

void FaceWidget::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, face_);
    p.drawImage(display::kDigitPanelPos.x, display::kDigitPanelPos.y, display_.DigitPanel());
    p.drawImage(display::kMarkStripPos.x, display::kMarkStripPos.y, display_.MarkStrip());
}

void FaceWidget::mousePressEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool onRound = ToQRect(display::kLabRs).contains(at) || kLabRsL.contains(at);
    const bool onDecimal = ToQRect(display::kLabDc).contains(at) || kLabDcL.contains(at);
    if ((onRound || onDecimal) &&
        (event->button() == Qt::LeftButton || event->button() == Qt::RightButton)) {
        emit selectorClicked(onRound ? 11 : 12);
        return;
    }
    if (event->button() == Qt::RightButton) {
        emit contextMenuRequested(event->globalPosition().toPoint());
        return;
    }
    if (event->button() != Qt::LeftButton) return;
    emit facePressed();
    QWidget* top = window();
    dragHeight_ = top->height();
    // The window manager moves it as by its caption; without one the face moves it.
    if (top->windowHandle() && top->windowHandle()->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - top->frameGeometry().topLeft();
}

void FaceWidget::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) window()->move(event->globalPosition().toPoint() - dragOffset_);
}

void FaceWidget::mouseReleaseEvent(QMouseEvent*) {
    dragging_ = false;
    QWidget* top = window();
    if (dragHeight_ > 0 && top->height() != dragHeight_) top->resize(top->width(), dragHeight_);
}

void FaceWidget::wheelEvent(QWheelEvent* event) {
    emit wheelTurned(event->angleDelta().y());
}

}  // namespace pemu::ui
