#pragma once
// The calculator face: the panel and the display painted from the skin, the 32 key
// pictures at their positions with their key codes, and the four labels beside the
// display. It only draws and reports mouse events; the window decides what they mean.
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <map>

#include "display/digital_display.hpp"
#include "display/key_pictures.hpp"
#include "display/skin.hpp"

class QLabel;

namespace pemu::ui {

class KeyPictureWidget;

class FaceWidget : public QWidget {
    Q_OBJECT
  public:
    FaceWidget(const display::Skin& skin, const display::DigitalDisplay& display,
               const display::KeyPictures& keys, QWidget* parent);

    // The skin's pictures changed: the face is rebuilt and everything repainted.
    void RefreshFace();
    // One key picture changed (pressed, released, new family).
    void KeyChanged(int code);
    // The display changed: the panel, the marks or a label.
    void DisplayChanged(display::DigitalDisplay::Changed what);
    void SetKeysVisible(bool visible);
    // A key whose window this program does not have takes no clicks.
    void SetKeyEnabled(int code, bool enabled);

    // The picture widget carrying `code`, or null. The area at (18, 128) is code 15 too:
    // `hotspot` selects it.
    QWidget* KeyWidget(int code, bool hotspot = false) const;
    QLabel* Label(core::DisplayLabel label) const { return labels_[static_cast<int>(label)]; }

    // What a key picture is called and its tooltip, asked for whenever they are shown, so
    // the key-logic family and the key table in force at that moment speak.
    struct KeyTexts {
        QString name;
        QString toolTip;
    };
    using KeyTextSource = std::function<KeyTexts(int code)>;
    void SetKeyTextSource(KeyTextSource source) { keyTexts_ = std::move(source); }
    KeyTexts KeyTextsOf(int code) const;
    // The code of a key picture widget (the area left of GT included); 0 for any other.
    int CodeOfKeyWidget(const QWidget* widget) const;
    bool IsHotspot(const QWidget* widget) const;
    // A key pressed and let go as a left click would (an assistive tool's press action).
    void ClickKey(int code);

    // The display read aloud (core::DisplayReading of what the pictures show), and the
    // widget over the display that carries it for assistive tools.
    QString Reading() const;
    QString ShownNumber() const;
    QWidget* Readout() const { return readout_; }

  signals:
    void keyPressed(int code, Qt::MouseButton button, QPoint globalPos);
    void keyReleased(int code, Qt::MouseButton button);
    // Right click on the face, the display or the labels.
    void contextMenuRequested(QPoint globalPos);
    // The round (11) or decimal (12) selector label was clicked.
    void selectorClicked(int item);
    // Left button down on the face itself, before a drag.
    void facePressed();
    void wheelTurned(int delta);
    // What the display says changed; once a key has drawn everything it draws.
    void readingChanged(const QString& reading);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

  private:
    friend class KeyPictureWidget;
    void UpdateLabels();
    void AnnounceReading();

    const display::Skin& skin_;
    const display::DigitalDisplay& display_;
    const display::KeyPictures& keys_;
    QImage face_;
    std::map<int, KeyPictureWidget*> pictures_;
    KeyPictureWidget* hotspot_ = nullptr;
    QLabel* labels_[4] = {};
    QWidget* readout_ = nullptr;
    KeyTextSource keyTexts_;
    std::map<int, QString> spokenNames_;  // the key names assistive tools were last given
    QString spokenReading_;
    QTimer readingTimer_;  // one announcement for all the drawing of a key
    bool dragging_ = false;
    QPoint dragOffset_;
    int dragHeight_ = 0;
};

}  // namespace pemu::ui
