#include "ui/switch_panel.hpp"

#include <QMouseEvent>
#include <QPainter>

#include "ui/key_dispatch.hpp"
#include "ui/switch_items.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {

namespace {
constexpr int kPanelHeight = 117;
constexpr int kFrame = 5;
constexpr int kTitleHeight = 28;
constexpr int kChoiceTop = 36;
constexpr int kChoiceHeight = 34;
constexpr int kGap = 2;
constexpr int kMarkTop = 74;
constexpr int kOkTop = 84;
constexpr int kOkWidth = 60;
constexpr int kOkHeight = 24;
}  // namespace

// One choice of the panel, or its OK label.
class SwitchLabel : public QLabel {
  public:
    SwitchLabel(SwitchPanel* panel, const QString& text, const QString& name, int value, bool isOk)
        : QLabel(text, panel), panel_(panel), value_(value), isOk_(isOk) {
        setObjectName(name);
        setAlignment(Qt::AlignCenter);
        setAutoFillBackground(true);
        if (isOk) setFrameStyle(QFrame::Box | QFrame::Plain), setLineWidth(1);
        SetHighlighted(false);
    }
    int Value() const { return value_; }
    void SetHighlighted(bool on) {
        QPalette p = palette();
        const QPalette& base = panel_->palette();
        p.setColor(QPalette::Window, on      ? base.color(QPalette::Highlight)
                                     : isOk_ ? base.color(QPalette::Base)
                                             : base.color(QPalette::Button));
        p.setColor(QPalette::WindowText,
                   on ? base.color(QPalette::HighlightedText) : base.color(QPalette::WindowText));
        setPalette(p);
    }

  protected:
    void enterEvent(QEnterEvent*) override { panel_->Hover(this, true); }
    void leaveEvent(QEvent*) override { panel_->Hover(this, false); }
    void mousePressEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton) panel_->Highlight(this);
    }
    void mouseReleaseEvent(QMouseEvent* e) override {
        if (e->button() == Qt::LeftButton && rect().contains(e->position().toPoint())) {
            panel_->Click(this);
        }
    }

  private:
    SwitchPanel* panel_;
    int value_;
    bool isOk_;
};

SwitchPanel::SwitchPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("SwitchPanel");
    mark_ = new QLabel(Caption("▲"), this);
    mark_->setObjectName("RspMark");
    mark_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont small = mark_->font();
    small.setPixelSize(9);
    mark_->setFont(small);
    ok_ = new SwitchLabel(this, "OK", "LabOk", 0, true);
    hide();
}

void SwitchPanel::Open(int item, int makerType, int value, bool miniSize) {
    if (isVisible() || !IsSwitchItem(item)) return;
    for (SwitchLabel* label : choices_)
        delete label;
    choices_.clear();
    shown_.clear();
    hot_ = nullptr;
    item_ = item;
    const SwitchItemInfo info = SwitchItemOf(item);
    title_ = Caption(info.title);
    setAccessibleName(title_);
    const QString prefix = QString::fromStdString(info.prefix);
    for (const SwitchChoice& c : SwitchChoicesOf(item, makerType)) {
        const QString name = prefix + QString::number(c.value);
        auto* label = new SwitchLabel(this, Caption(c.caption), name, c.value, false);
        label->resize(info.labelWidth, kChoiceHeight);
        choices_.push_back(label);
        shown_.push_back(label);
    }
    shown_.push_back(ok_);
    ok_->SetHighlighted(false);
    Layout(miniSize);
    MoveMark(value);
    show();
    raise();
    Speak(LabelOf(value));
}

void SwitchPanel::Close() {
    const bool shown = isVisible();
    hide();
    hot_ = nullptr;
    if (shown) emit spoken(QString());
}

void SwitchPanel::Speak(const SwitchLabel* label) {
    QString text = title_;
    if (label) {
        text += ' ' + label->text();
        if (label->objectName() == MarkedLabelName()) text += Caption("（選択中）");
    }
    emit spoken(text);
}

void SwitchPanel::Layout(bool miniSize) {
    const int width = parentWidget()->width() - 30;
    setGeometry((parentWidget()->width() - width) / 2, miniSize ? 0 : 110, width, kPanelHeight);
    if (choices_.empty()) return;
    const int labelWidth = choices_.front()->width();
    const int count = static_cast<int>(choices_.size());
    int left = (width - (count * labelWidth + (count - 1) * kGap)) / 2;
    for (SwitchLabel* label : choices_) {
        label->move(left, kChoiceTop);
        label->show();
        left += labelWidth + kGap;
    }
    ok_->setGeometry((width - kOkWidth) / 2, kOkTop, kOkWidth, kOkHeight);
}

SwitchLabel* SwitchPanel::LabelOf(int value) const {
    for (SwitchLabel* label : choices_) {
        if (label->Value() == value) return label;
    }
    return nullptr;
}

void SwitchPanel::MoveMark(int value) {
    SwitchLabel* label = LabelOf(value);
    mark_->setVisible(label != nullptr);
    mark_->setAccessibleName(label ? Caption("選択中 ") + label->text() : QString());
    if (label) mark_->setGeometry(label->x(), kMarkTop, label->width(), 10);
    mark_->setProperty("markedLabel", label ? label->objectName() : QString());
}

QStringList SwitchPanel::ShownLabelNames() const {
    QStringList names;
    for (const SwitchLabel* label : shown_)
        names << label->objectName();
    return names;
}

QString SwitchPanel::HotLabelName() const {
    return hot_ ? hot_->objectName() : QString();
}

QString SwitchPanel::MarkedLabelName() const {
    return mark_->property("markedLabel").toString();
}

void SwitchPanel::Highlight(SwitchLabel* label) {
    for (SwitchLabel* other : shown_)
        other->SetHighlighted(other == label);
    hot_ = label;
    Speak(label);
}

void SwitchPanel::Hover(SwitchLabel* label, bool entered) {
    if (entered) {
        Highlight(label);
    } else if (hot_ == label) {
        label->SetHighlighted(false);
        hot_ = nullptr;
    }
}

void SwitchPanel::Click(SwitchLabel* label) {
    if (!isVisible() || hot_ != label) return;
    if (label == ok_) {
        Close();
        return;
    }
    const int value = label->Value();
    emit chosen(item_, value);
    MoveMark(value);
    Speak(label);
}

void SwitchPanel::Step(int direction) {
    const int count = static_cast<int>(shown_.size());
    int index = direction > 0 ? 0 : count - 1;
    for (int i = 0; i < count; ++i) {
        if (shown_[i] == hot_) index = (i + direction + count) % count;
    }
    Highlight(shown_[index]);
}

bool SwitchPanel::HandleKey(int virtualKey, bool shift) {
    if (virtualKey == 9) {  // Tab moves the highlight, Shift+Tab backwards
        Step(shift ? -1 : 1);
        return true;
    }
    if (shift) return false;
    switch (virtualKey) {
        case vk::kLeft:
        case vk::kUp:
            Step(-1);
            return true;
        case vk::kRight:
        case vk::kDown:
            Step(1);
            return true;
        case vk::kReturn:
            if (hot_) Click(hot_);
            return true;
        case vk::kEscape:
            Close();
            return true;
        case vk::kApps:
            emit contextMenuRequested();
            return true;
        default:
            return false;
    }
}

void SwitchPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.fillRect(rect(), palette().color(QPalette::Dark));
    const QRect inside = rect().adjusted(kFrame, kFrame, -kFrame, -kFrame);
    p.fillRect(inside, palette().color(QPalette::Button));
    const QRect titleBar(inside.left(), inside.top(), inside.width(), kTitleHeight);
    p.fillRect(titleBar, palette().color(QPalette::Highlight));
    p.setPen(palette().color(QPalette::HighlightedText));
    p.drawText(titleBar, Qt::AlignCenter, title_);
}

void SwitchPanel::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    dragging_ = true;
    dragOrigin_ = event->position().toPoint();
}

void SwitchPanel::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) move(pos() + event->position().toPoint() - dragOrigin_);
}

void SwitchPanel::mouseReleaseEvent(QMouseEvent*) {
    if (!dragging_) return;
    dragging_ = false;
    const QRect area = parentWidget()->rect();
    const int x = std::max(0, std::min(this->x(), area.width() - width()));
    const int y = std::max(0, std::min(this->y(), area.height() - height()));
    move(x, y);
}

}  // namespace pemu::ui
