#include "app/CoopThread.h"

#include <QMetaObject>
#include <QPointer>

namespace coop {

void Task::promise_type::unhandled_exception() {
  try {
    throw;
  } catch (const Cancelled&) {
    // A cancelled thread just ends.
  } catch (...) {
    failure = std::current_exception();
  }
}

Task& Task::operator=(Task&& other) noexcept {
  if (this != &other) {
    if (handle_) handle_.destroy();
    handle_ = std::exchange(other.handle_, {});
  }
  return *this;
}

Task::~Task() {
  if (handle_) handle_.destroy();
}

bool YieldAwaiter::await_suspend(Task::Handle h) {
  Thread* t = h.promise().thread;
  thread = t;
  if (!t) return false;
  if (!always && !t->sliceUsedUp()) return false;  // keep running: no switch
  t->scheduleStep();
  return true;
}

void YieldAwaiter::await_resume() const {
  if (thread && thread->isCancelled()) throw Cancelled{};
}

Thread::Thread(Task task, QObject* parent) : QObject(parent), task_(std::move(task)) {
  if (task_.handle()) task_.handle().promise().thread = this;
}

Thread::~Thread() = default;

void Thread::start() {
  if (started_) return;
  started_ = true;
  scheduleStep();
}

void Thread::scheduleStep() {
  QMetaObject::invokeMethod(this, &Thread::step, Qt::QueuedConnection);
}

void Thread::step() {
  if (finished_) return;
  auto h = task_.handle();
  if (!h || h.done()) {
    finished_ = true;
    emit finished();
    return;
  }
  if (cancelled_ && !h.promise().failure) {
    // Cancelled before its first step, or between steps: end without running more.
    finished_ = true;
    emit finished();
    return;
  }
  slice_.start();
  QPointer<Thread> alive(this);
  h.resume();
  if (!alive) return;
  if (h.done()) {
    finished_ = true;
    emit finished();
  }
}

std::exception_ptr Thread::failure() const {
  return task_.handle() ? task_.handle().promise().failure : nullptr;
}

Thread* startDetached(Task body, QObject* parent) {
  auto* t = new Thread(std::move(body), parent);
  QObject::connect(t, &Thread::finished, t, &QObject::deleteLater);
  t->start();
  return t;
}

}  // namespace coop
