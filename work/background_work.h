// Long work run on a thread of its own, so that the window that started it
// stays live: it repaints, moves, and its Cancel button is heard. The work
// reports through Progress; the window looks at the latest report whenever
// it likes (a few times a second), and Cancel makes the work's next Step
// return false.
#pragma once

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>

#include "work/progress.h"

class BackgroundWork : private Progress {
 public:
  // Starts `work` at once on its own thread.
  explicit BackgroundWork(std::function<void(Progress&)> work);
  // Cancels the work if it still runs and waits for it to end.
  ~BackgroundWork() override;
  BackgroundWork(const BackgroundWork&) = delete;
  BackgroundWork& operator=(const BackgroundWork&) = delete;

  bool Done() const { return done_; }
  // "" unless the work let an exception out (out of memory while reading a
  // huge file, anything else). It is caught at the thread's edge, so that
  // it never ends the program: the work's own clean-up has run as it
  // unwound, and this says why it failed, for the user. Read it once the
  // work is done.
  const std::string& Failure() const { return failure_; }
  // The work's next Step returns false.
  void Cancel() { cancelRequested_ = true; }
  // True once the work has been told to stop (a Step returned false): what
  // it made is undone, and its result must be taken as cancelled.
  bool Cancelled() const { return cancelled_; }
  // Waits until the work has ended, or at most `most`; true when it has.
  bool WaitFor(std::chrono::milliseconds most);
  void Wait();

  // The latest report of the work.
  struct Report {
    std::string what;
    std::uint64_t done = 0;
    std::uint64_t total = 0;
  };
  Report Latest() const;

 private:
  bool Step(const std::string& what, std::uint64_t done, std::uint64_t total) override;

  mutable std::mutex mutex_;
  std::condition_variable ended_;
  Report report_;
  std::atomic<bool> cancelRequested_{false};
  std::atomic<bool> cancelled_{false};
  std::atomic<bool> done_{false};
  std::string failure_;
  std::thread thread_;
};

// Runs `work` and returns "" when it returns, or, when it lets an
// exception out, why, in words for the user ("内存不足" for an allocation
// that failed). The one place where work's exceptions are caught.
std::string FailureOf(const std::function<void()>& work);
