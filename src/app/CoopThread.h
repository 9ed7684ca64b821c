#pragma once
// Cooperative threads on the Qt event loop. A thread body is a C++20 coroutine that
// returns coop::Task and switches only where it says `co_await coop::yield()` (hands the
// loop a turn once the current slice has run for more than a few milliseconds, so a
// yield per item costs almost nothing) or `co_await coop::nextTurn()` (always hands it a
// turn). Nothing here ever processes events itself, so no request or button handler is
// re-entered.
#include <QElapsedTimer>
#include <QObject>
#include <coroutine>
#include <exception>
#include <functional>
#include <memory>

namespace coop {

class Thread;

// How long a thread may run before a yield hands the loop a turn.
inline constexpr qint64 kSliceNs = 4'000'000;

// Thrown at a yield point of a thread that was cancelled; ends the body quietly.
struct Cancelled {};

class Task {
 public:
  struct promise_type {
    Thread* thread = nullptr;
    std::exception_ptr failure;
    Task get_return_object() { return Task(std::coroutine_handle<promise_type>::from_promise(*this)); }
    std::suspend_always initial_suspend() noexcept { return {}; }
    std::suspend_always final_suspend() noexcept { return {}; }
    void return_void() {}
    void unhandled_exception();
  };
  using Handle = std::coroutine_handle<promise_type>;

  Task() = default;
  explicit Task(Handle h) : handle_(h) {}
  Task(Task&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
  Task& operator=(Task&& other) noexcept;
  Task(const Task&) = delete;
  Task& operator=(const Task&) = delete;
  ~Task();

  Handle handle() const { return handle_; }

 private:
  Handle handle_;
};

struct YieldAwaiter {
  bool always;
  Thread* thread = nullptr;
  bool await_ready() const noexcept { return false; }
  bool await_suspend(Task::Handle h);
  void await_resume() const;
};

// Hands the loop a turn when the current slice is used up.
inline YieldAwaiter yield() { return {false}; }
// Always hands the loop a turn.
inline YieldAwaiter nextTurn() { return {true}; }

// Runs one Task on the event loop, from start() until its body returns or is cancelled.
class Thread : public QObject {
  Q_OBJECT
 public:
  explicit Thread(Task task, QObject* parent = nullptr);
  ~Thread() override;

  // The body begins on the next turn of the loop, never inside the caller.
  void start();
  // The body stops at its next yield point.
  void cancel() { cancelled_ = true; }
  bool isCancelled() const { return cancelled_; }
  bool isRunning() const { return started_ && !finished_; }
  bool isFinished() const { return finished_; }

  // The exception that ended the body, other than cancellation; null when none.
  std::exception_ptr failure() const;

 signals:
  void finished();

 private:
  friend struct YieldAwaiter;
  void step();
  bool sliceUsedUp() const { return slice_.nsecsElapsed() > kSliceNs; }
  void scheduleStep();

  Task task_;
  QElapsedTimer slice_;
  bool started_ = false;
  bool finished_ = false;
  bool cancelled_ = false;
};

// Starts body on the loop and deletes the thread object when it finishes.
Thread* startDetached(Task body, QObject* parent = nullptr);

}  // namespace coop
