// Running a program as a child process, for the tests of the native
// command-line program: its exit status and what it wrote, each stream
// apart. POSIX only.
#pragma once

#include <sys/types.h>

#include <map>
#include <string>
#include <vector>

struct ChildRun {
  std::vector<std::string> arguments;              // after the program's name, native bytes
  std::map<std::string, std::string> environment;  // set (or, with "", unset) for the child
  std::string folder;                              // its current folder, native; "" for this one
  bool errorOnTerminal = false;                    // standard error is a terminal (a pty), not a pipe
};

struct ChildEnd {
  int status = -1;  // the exit status; 128 + the signal that ended it
  std::string out;
  std::string err;  // from a terminal: its line ends as the terminal sends them
};

// A started child, read until it ends.
class Child {
 public:
  Child(const std::string& program, const ChildRun& run);
  ~Child();
  Child(const Child&) = delete;
  Child& operator=(const Child&) = delete;

  pid_t pid() const { return pid_; }
  // Reads what it writes until both streams close, then waits for it; at
  // most `seconds`, after which it is killed.
  ChildEnd Wait(int seconds = 120);

 private:
  pid_t pid_ = -1;
  int out_ = -1;
  int err_ = -1;
};

// Runs the program to its end.
ChildEnd RunChild(const std::string& program, const ChildRun& run);
