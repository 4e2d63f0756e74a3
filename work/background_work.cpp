#include "work/background_work.h"

#include <exception>
#include <new>
#include <utility>

BackgroundWork::BackgroundWork(std::function<void(Progress&)> work) {
  thread_ = std::thread([this, work = std::move(work)] {
    failure_ = FailureOf([&] { work(*this); });
    std::lock_guard<std::mutex> lock(mutex_);
    done_ = true;
    ended_.notify_all();
  });
}

BackgroundWork::~BackgroundWork() {
  Cancel();
  Wait();
}

bool BackgroundWork::WaitFor(std::chrono::milliseconds most) {
  std::unique_lock<std::mutex> lock(mutex_);
  return ended_.wait_for(lock, most, [this] { return done_.load(); });
}

void BackgroundWork::Wait() {
  if (thread_.joinable()) thread_.join();
}

BackgroundWork::Report BackgroundWork::Latest() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return report_;
}

bool BackgroundWork::Step(const std::string& what, std::uint64_t done, std::uint64_t total) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    report_.what = what;
    report_.done = done;
    report_.total = total;
  }
  if (cancelRequested_) cancelled_ = true;
  return !cancelled_;
}

std::string FailureOf(const std::function<void()>& work) {
  try {
    work();
    return std::string();
  } catch (const std::bad_alloc&) {
    return "内存不足";
  } catch (const std::exception& error) {
    return *error.what() != '\0' ? error.what() : "未知的错误";
  } catch (...) {
    return "未知的错误";
  }
}
