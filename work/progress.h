// How long work tells how far it has come, and learns that the user wants
// it stopped. The work calls Step at each unit (a file copied, a folder
// searched, a card built); the one who shows the progress decides how often
// to look.
#pragma once

#include <cstdint>
#include <string>

class Progress {
 public:
  virtual ~Progress() = default;
  // `what` is being done now, `done` of `total` units (0: not known).
  // False once the user has cancelled: the work stops at once and undoes
  // what it made, as a failed one does.
  virtual bool Step(const std::string& what, std::uint64_t done, std::uint64_t total) = 0;
};

// For work nobody watches: never cancelled.
class NoProgress : public Progress {
 public:
  bool Step(const std::string&, std::uint64_t, std::uint64_t) override { return true; }
};

// Passes every step on to `inner` and remembers that the user cancelled,
// for work that says so at its end.
class CancelWatch : public Progress {
 public:
  explicit CancelWatch(Progress& inner) : inner_(inner) {}
  bool Step(const std::string& what, std::uint64_t done, std::uint64_t total) override {
    cancelled_ = cancelled_ || !inner_.Step(what, done, total);
    return !cancelled_;
  }
  bool cancelled() const { return cancelled_; }

 private:
  Progress& inner_;
  bool cancelled_ = false;
};
