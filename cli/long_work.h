// Long work on the command line: it runs on a thread of its own as in the
// window (BackgroundWork, DriverSearchRun), while the command's own thread
// watches it: it draws the progress on standard error where that is a
// terminal someone watches (none where it is a file or a pipe), and at an
// interrupt (Ctrl-C) cancels the work as the window's Cancel does.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

struct WatchedWork {
  std::string title;  // what the work is, before its progress ("" for none)
  // Waits until the work has ended, or at most the time given; true when it has.
  std::function<bool(std::chrono::milliseconds)> waitFor;
  // What is being done now and how far along, for the progress line.
  std::function<void(std::string* what, std::uint64_t* done, std::uint64_t* total)> report;
  std::function<void()> cancel;
};

// Watches until the work has ended. The progress line shows from half a
// second on, as the window's progress window does, and is gone again at
// the end. Whether the work saw the cancel is for its outcome to say: work
// that was past its last step ends as it would have.
void WatchLongWork(const WatchedWork& work);
