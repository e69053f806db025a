#include "modal_dialogs.hpp"

#include <QApplication>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>

#include <gtest/gtest.h>

namespace pemu::ui::testing_support {
namespace {

constexpr int kPollMs = 10;
constexpr int kGiveUpPolls = 1000;

// `act` answers the dialog; it returns false when the dialog did not take the answer yet (a
// file dialog still loading its folder) and is called again at the next poll.
template <typename Dialog>
void WhenModal(std::function<bool(Dialog*)> act) {
    auto* timer = new QTimer(qApp);
    auto polls = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, timer, [timer, polls, act] {
        QWidget* modal = QApplication::activeModalWidget();
        auto* dialog = qobject_cast<Dialog*>(modal);
        const bool answered = dialog && act(dialog);
        if (!answered && ++*polls < kGiveUpPolls) return;
        timer->stop();
        timer->deleteLater();
        if (answered) return;
        // Never leave a test waiting on a dialog nobody answers.
        ADD_FAILURE() << "no " << Dialog::staticMetaObject.className() << " was answered; modal: "
                      << (modal ? modal->metaObject()->className() : "none");
        if (auto* other = qobject_cast<QDialog*>(modal)) other->reject();
    });
    timer->start(kPollMs);
}

}  // namespace

void AnswerMessageBox(QMessageBox::StandardButton button, QString* text) {
    WhenModal<QMessageBox>([button, text](QMessageBox* box) {
        if (text) *text = box->text();
        if (QAbstractButton* pressed = box->button(button)) {
            pressed->click();
        } else {
            box->reject();
        }
        return true;
    });
}

void ChooseFile(const QString& path) {
    WhenModal<QFileDialog>([path](QFileDialog* dialog) {
        // Typed into the name field, as a user does: selectFile leaves a focused field alone.
        if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
            name->setText(path);
        } else {
            dialog->selectFile(path);
        }
        static_cast<QDialog*>(dialog)->accept();  // as its Save button does
        return !dialog->isVisible();
    });
}

}  // namespace pemu::ui::testing_support
