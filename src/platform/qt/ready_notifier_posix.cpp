#include <QSocketNotifier>

#include "platform/qt/ready_notifier.hpp"

namespace pemu::platform {

ReadyNotifier::ReadyNotifier(ReadyHandle handle, QObject* parent) : QObject(parent) {
    if (handle == kNoReadyHandle) return;
    auto* notifier = new QSocketNotifier(static_cast<qintptr>(handle), QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, &ReadyNotifier::ready);
}

}  // namespace pemu::platform
