#include "QtMainThreadQueue.h"

#include <QCoreApplication>
#include <QMetaObject>

std::shared_ptr<TQtMainThreadQueue> TQtMainThreadQueue::Create() {
  return std::shared_ptr<TQtMainThreadQueue>(new TQtMainThreadQueue());
}

void TQtMainThreadQueue::Post(std::function<void()> AClosure) {
  QCoreApplication *app = QCoreApplication::instance();
  if (app == nullptr || !FOpen.load())
    return;
  // The closure keeps the queue alive until it has run, so the open flag it
  // checks is always there. Queued calls to one receiver are delivered in the
  // order they were posted, whichever thread posted them.
  auto self = shared_from_this();
  QMetaObject::invokeMethod(
      app, [self, closure = std::move(AClosure)]() { self->RunOnMainThread(closure); },
      Qt::QueuedConnection);
}

void TQtMainThreadQueue::Close() { FOpen.store(false); }

void TQtMainThreadQueue::RunOnMainThread(const std::function<void()> &AClosure) const {
  // Close() and this check both run on the main thread, so a closed queue
  // can never let a closure reach a window that is already destroyed.
  if (FOpen.load() && AClosure)
    AClosure();
}
