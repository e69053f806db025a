#include <windows.h>

#include <QWinEventNotifier>

#include "platform/qt/ready_notifier.hpp"

namespace pemu::platform {

ReadyNotifier::ReadyNotifier(ReadyHandle handle, QObject* parent) : QObject(parent) {
    if (handle == kNoReadyHandle) return;
    auto* notifier = new QWinEventNotifier(reinterpret_cast<HANDLE>(handle), this);
    connect(notifier, &QWinEventNotifier::activated, this, &ReadyNotifier::ready);
}

}  // namespace pemu::platform
