#pragma once
// The icon in the task tray while the calculator resides there. Where the desktop has no
// tray the icon cannot be shown, and the window must not hide itself into it.
#include <QObject>
#include <QPoint>

class QIcon;
class QSystemTrayIcon;

namespace pemu::ui {

class TaskTray : public QObject {
    Q_OBJECT
  public:
    TaskTray(const QIcon& icon, QObject* parent);

    // Whether this desktop offers a tray at all.
    static bool Available();

    void Show();
    void Remove();
    bool Shown() const;

  signals:
    // Left button up on the icon: leave the tray, the icon stays.
    void released();
    // Right button up: bring the window to the front, then the popup at the cursor.
    void popupRequested(QPoint globalPos);

  private:
    QSystemTrayIcon* icon_ = nullptr;
};

}  // namespace pemu::ui
