#pragma once
// PopCom, the check tape window's command panel: auto scroll, the popup viewer, and change,
// insert and delete of the cursor line. The focus starts on ClosePopm; Tab, Shift+Tab, Up
// and Down go round its enabled buttons without leaving it; Space and Enter press the
// focused one. The panel can be dragged by its frame.
#include <QFrame>
#include <array>

class QPushButton;

namespace pemu::ui {

class TapeCommandPanel : public QFrame {
    Q_OBJECT
  public:
    explicit TapeCommandPanel(QWidget* parent);

    // Shows the panel's state: the edit buttons enabled only for an editable line, the popup
    // only for a line of a calculation, the auto scroll button saying what it will do; the
    // focus goes to ClosePopm.
    void Prepare(bool editable, bool inCalculation, bool autoScrollOn);
    // Moves the focus to the next (or previous) enabled button, round the panel.
    void MoveFocus(bool forward);
    // Presses the focused button, as Space does.
    void PressFocused();

    QPushButton* AutoScrollm = nullptr;
    QPushButton* PopUpm = nullptr;
    QPushButton* Updatem = nullptr;
    QPushButton* Addm = nullptr;
    QPushButton* Deletem = nullptr;
    QPushButton* ClosePopm = nullptr;

  protected:
    bool focusNextPrevChild(bool next) override;

  private:
    // In the order Tab visits them.
    std::array<QPushButton*, 6> Buttons() const;
};

}  // namespace pemu::ui
