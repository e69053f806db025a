#include "ui/task_tray.hpp"

#include <QCursor>
#include <QIcon>
#include <QSystemTrayIcon>

namespace pemu::ui {

TaskTray::TaskTray(const QIcon& icon, QObject* parent)
    : QObject(parent), icon_(new QSystemTrayIcon(icon, this)) {
    icon_->setToolTip("Pemu");
    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                if (reason == QSystemTrayIcon::Trigger) emit released();
                if (reason == QSystemTrayIcon::Context) emit popupRequested(QCursor::pos());
            });
}

bool TaskTray::Available() {
    return QSystemTrayIcon::isSystemTrayAvailable();
}

void TaskTray::Show() {
    if (Available()) icon_->show();
}

void TaskTray::Remove() {
    icon_->hide();
}

bool TaskTray::Shown() const {
    return icon_->isVisible();
}

}  // namespace pemu::ui
