#pragma once
// Tells the Qt event loop's thread when a platform::ReadyHandle is ready: a socket notifier
// on a file descriptor, an event notifier on a Windows event. Windows stay free of the
// difference.
#include <QObject>

#include "platform/local_socket.hpp"

namespace pemu::platform {

class ReadyNotifier : public QObject {
    Q_OBJECT
  public:
    // Nothing is ever signalled for kNoReadyHandle.
    ReadyNotifier(ReadyHandle handle, QObject* parent);

  signals:
    // The handle is ready; the owner takes what waits, which clears it.
    void ready();
};

}  // namespace pemu::platform
