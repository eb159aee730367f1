#include "QtMainThreadQueue.h"

#include <QCoreApplication>
#include <QMetaObject>

std::shared_ptr<TQtMainThreadQueue> TQtMainThreadQueue::Create() {
  return std::shared_ptr<TQtMainThreadQueue>(new TQtMainThreadQueue());
}

void TQtMainThreadQueue::Post(std::function<void()> AClosure) {
  QCoreApplication *app = QCoreApplication::instance();
  if (app == nullptr)
    return;
  // Queued calls to one receiver are delivered in the order they were
  // posted, whichever thread posted them.
  QMetaObject::invokeMethod(
      app,
      [closure = std::move(AClosure)]() {
        if (closure)
          closure();
      },
      Qt::QueuedConnection);
}
