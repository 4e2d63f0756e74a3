#include "cli/long_work.h"

#include "cli/console.h"
#include "cli/progress_line.h"

void WatchLongWork(const WatchedWork& work) {
  using Clock = std::chrono::steady_clock;
  const bool drawn = console::IsTerminal(console::Stream::kErr);
  const Clock::time_point shownFrom = Clock::now() + std::chrono::milliseconds(500);
  bool cancelled = false;
  bool shown = false;
  std::string lastLine;
  while (!work.waitFor(std::chrono::milliseconds(100))) {
    if (console::Interrupted() && !cancelled) {
      work.cancel();
      cancelled = true;
    }
    if (drawn && Clock::now() >= shownFrom) {
      std::string what;
      std::uint64_t done = 0, total = 0;
      work.report(&what, &done, &total);
      const std::string line = ProgressLine(work.title, what, done, total, console::Columns(console::Stream::kErr));
      if (line != lastLine) console::Write(console::Stream::kErr, line);
      lastLine = line;
      shown = true;
    }
  }
  if (shown) console::Write(console::Stream::kErr, ClearedLine(console::Columns(console::Stream::kErr)));
}
