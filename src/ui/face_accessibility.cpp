#include "ui/face_accessibility.hpp"

#include <QAccessibleWidget>
#include <mutex>
#include <string>
#include <vector>

#include "shell/key_descriptions.hpp"
#include "ui/key_dispatch.hpp"
#include "ui/ui_text.hpp"

namespace pemu::ui {
namespace {

// A key picture: a button that presses its key.
class KeyAccessible : public QAccessibleWidget {
  public:
    KeyAccessible(QWidget* widget, FaceWidget* face, int code)
        : QAccessibleWidget(widget, QAccessible::Button), face_(face), code_(code) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return face_->KeyTextsOf(code_).name;
            case QAccessible::Description:
                return face_->KeyTextsOf(code_).toolTip;
            default:
                return QAccessibleWidget::text(t);
        }
    }
    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        // The place left of GT works as GT but shows no key: one GT button is enough.
        if (face_->IsHotspot(widget())) s.invisible = true;
        return s;
    }
    QStringList actionNames() const override { return {pressAction()}; }
    void doAction(const QString& name) override {
        if (name == pressAction()) face_->ClickKey(code_);
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

  private:
    FaceWidget* face_;
    int code_;
};

// The display: its name is what it shows, its value the number.
class DisplayAccessible : public QAccessibleWidget {
  public:
    DisplayAccessible(QWidget* widget, FaceWidget* face)
        : QAccessibleWidget(widget, QAccessible::StaticText), face_(face) {}

    QString text(QAccessible::Text t) const override {
        switch (t) {
            case QAccessible::Name:
                return face_->Reading();
            case QAccessible::Value:
                return face_->ShownNumber();
            case QAccessible::Description:
                return Caption("表示");
            default:
                return QAccessibleWidget::text(t);
        }
    }

  private:
    FaceWidget* face_;
};

AccessibilityListener& Listener() {
    static AccessibilityListener listener;
    return listener;
}

QAccessibleInterface* FaceFactory(const QString& className, QObject* object) {
    // Key pictures and the display widget are plain QWidgets.
    if (className != QLatin1String("QWidget")) return nullptr;
    auto* widget = qobject_cast<QWidget*>(object);
    auto* face = widget ? qobject_cast<FaceWidget*>(widget->parentWidget()) : nullptr;
    if (face == nullptr) return nullptr;
    if (widget == face->Readout()) return new DisplayAccessible(widget, face);
    if (const int code = face->CodeOfKeyWidget(widget))
        return new KeyAccessible(widget, face, code);
    return nullptr;
}

}  // namespace

void InstallFaceAccessibility() {
    static std::once_flag once;
    std::call_once(once, [] { QAccessible::installFactory(&FaceFactory); });
}

void TellAssistiveTools(QAccessibleEvent& event) {
    if (Listener()) Listener()(event);
    QAccessible::updateAccessibility(&event);
}

void SetAccessibilityListener(AccessibilityListener listener) {
    Listener() = std::move(listener);
}

FaceWidget::KeyTexts DescribeFaceKey(int code, core::KeyFamily family,
                                     const shell::KeyTable& table) {
    std::vector<int> fixed;
    for (int vk = 1; vk < 256; ++vk) {
        if (FixedKeyCodeOf(vk) == code) fixed.push_back(vk);
    }
    std::string typed;
    for (char c : std::string("+-*/=%")) {
        if (TypedOperatorOf(static_cast<char32_t>(c)) == code) typed += c;
    }
    return {FromCp932(shell::KeyAccessibleName(code, family)),
            FromCp932(shell::KeyToolTip(code, family, table, fixed, typed))};
}

}  // namespace pemu::ui
