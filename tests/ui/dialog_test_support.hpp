#pragma once
// Helpers for the dialogs' widget tests: answering the next message box as a user would.
#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTest>
#include <QTimer>
#include <string>

#include "ui/ui_text.hpp"

namespace pemu::ui::testing_support {

// Answers the next message box, as soon as it shows, by pressing a key in it or one of its
// buttons, and keeps what it said.
class NextMessageBox {
  public:
    explicit NextMessageBox(Qt::Key key) {
        Arm([key](QMessageBox* box) { QTest::keyClick(box, key); });
    }
    explicit NextMessageBox(QMessageBox::StandardButton button = QMessageBox::Ok) {
        Arm([button](QMessageBox* box) {
            if (QAbstractButton* b = box->button(button)) b->click();
        });
    }
    bool Shown() const { return !title_.empty(); }
    // The text as CP932 bytes, line breaks as CR LF.
    std::string Text() const {
        std::string out;
        for (char c : text_) {
            if (c == '\n') out += '\r';
            out += c;
        }
        return out;
    }
    const std::string& Title() const { return title_; }

  private:
    template <typename Answer>
    void Arm(Answer answer) {
        QTimer::singleShot(0, [this, answer] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box) return;
            text_ = ToCp932(box->text());
            title_ = box->windowTitle().toStdString();
            answer(box);
        });
    }

    std::string text_;
    std::string title_;
};

}  // namespace pemu::ui::testing_support
