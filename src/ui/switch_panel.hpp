#pragma once
// The switch panel: a small in-window panel that offers the choices of one selector
// (round, decimal, display width, family, answer check, grand total), worked with the
// mouse and the keyboard, and draggable inside the window.
#include <QLabel>
#include <QPoint>
#include <QWidget>
#include <vector>

namespace pemu::ui {

class SwitchLabel;

class SwitchPanel : public QWidget {
    Q_OBJECT
  public:
    explicit SwitchPanel(QWidget* parent);

    // Shows item 11 to 16 with `value` marked; nothing happens while the panel is shown.
    void Open(int item, int makerType, int value, bool miniSize);
    void Close();

    // The item shown (11 to 16), or 0 before the first open.
    int Item() const { return item_; }
    // Names of the shown labels in order, OK last ("RspCUT" style: prefix + value).
    QStringList ShownLabelNames() const;
    // Name of the highlighted label, empty when none.
    QString HotLabelName() const;
    // Name of the label the marker sits under.
    QString MarkedLabelName() const;

    // A key from the window's key handler (Windows virtual key). True when taken.
    bool HandleKey(int virtualKey, bool shift);
    // Moves the marker under the label that selects `value`.
    void MoveMark(int value);

  signals:
    // A choice label was clicked: `item` 11 to 16 and the label's value.
    void chosen(int item, int value);
    // The context-menu key was pressed on the panel.
    void contextMenuRequested();
    // What a screen reader should hear while the panel takes the keys (the focus stays on
    // the window's hidden field): the title with the highlighted or the marked choice;
    // empty once the panel is closed.
    void spoken(const QString& text);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    friend class SwitchLabel;
    void Hover(SwitchLabel* label, bool entered);
    void Click(SwitchLabel* label);
    void Highlight(SwitchLabel* label);
    void Step(int direction);
    void Layout(bool miniSize);
    SwitchLabel* LabelOf(int value) const;
    void Speak(const SwitchLabel* label);

    int item_ = 0;
    QString title_;
    std::vector<SwitchLabel*> choices_;  // the current item's labels
    std::vector<SwitchLabel*> shown_;    // choices then OK
    SwitchLabel* ok_ = nullptr;
    QLabel* mark_ = nullptr;
    SwitchLabel* hot_ = nullptr;
    bool dragging_ = false;
    QPoint dragOrigin_;
};

}  // namespace pemu::ui
