#pragma once
// TfrmKeySet, "キー設定": the keyboard key of every calculator key, in three sets of which
// one is active. A key label is chosen with the mouse, Tab or the arrows; Enter or a double
// click starts input mode, and the next key pressed is taken, refused, or asked about when
// another key holds it. Every change is written at once and shown on the face's key
// navigation. What a key does here is decided in shell/key_assignment.
#include <QColor>
#include <map>
#include <memory>
#include <string>

#include "display/message_image.hpp"
#include "ui/windows/secondary_window.hpp"

class QLabel;
class QLineEdit;
class QPushButton;

namespace pemu::ui {

class ImageView;

class TfrmKeySet : public SecondaryWindow {
    Q_OBJECT
  public:
    explicit TfrmKeySet(AppContext& context);
    ~TfrmKeySet() override;

    // What the window shows, for tests.
    int Selected() const { return selected_; }
    bool InputMode() const { return inputMode_; }
    const std::string& Message() const { return message_; }
    QLabel* KeyText(int code) const;     // the "txt" label with the key's name
    QLabel* KeyCaption(int code) const;  // the "lab" label with the key's caption
    QLineEdit* InputBox() const { return inputBox_; }
    QPushButton* SetButton(int set) const { return setButtons_.at(set); }
    QPushButton* DefaultsButton() const { return defaults_; }
    QPushButton* CloseButton() const { return close_; }

    bool KeepsKeyboardWhenOpened() const override { return true; }

  protected:
    bool WindowKeyDown(int virtualKey, KeyModifiers modifiers) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildKeys();
    void BuildSide();
    void Select(int code);
    void StartInput();
    void EndInput();
    void Capture(int virtualKey);
    void Assign(int virtualKey, int clearOther);
    void ChooseSet(int set);
    void LoadDefaults();
    void Refresh();
    void ShowMessage(const std::string& cp932);
    void MoveFocus(bool forward);
    // The code of a key label, 0 for any other object.
    int CodeOfLabel(const QObject* object) const;

    std::map<int, QLabel*> captions_;
    std::map<int, QLabel*> texts_;
    QLineEdit* focusField_ = nullptr;  // holds the keyboard while a label is selected
    QLineEdit* inputBox_ = nullptr;
    ImageView* messageView_ = nullptr;
    std::unique_ptr<display::TMsgImg> messageImage_;
    ImageView* helpView_ = nullptr;
    std::map<int, QPushButton*> setButtons_;
    QPushButton* defaults_ = nullptr;
    QPushButton* close_ = nullptr;

    int selected_ = 0;
    bool inputMode_ = false;
    std::string message_;
};

}  // namespace pemu::ui
