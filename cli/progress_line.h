// The progress line a long command draws on a terminal: one line, redrawn
// in place (a carriage return before it), never wider than the terminal, so
// that a long step text cannot wrap and leave old lines behind.
#pragma once

#include <cstdint>
#include <string>

// "\r" and "<title> <done>/<total> <what>" (without the total while it is
// not known, without the counts before the first unit is done, without the
// title when it is "") cut to `columns` - 1 columns (a double-byte
// character takes two): the step's text `what` loses its start, shown as
// "...", as its end names the file; then blanks to that width, covering a
// longer line drawn before.
std::string ProgressLine(const std::string& title, const std::string& what, std::uint64_t done, std::uint64_t total,
                         int columns);

// "\r", blanks over the whole line, "\r": the line gone, for what follows.
std::string ClearedLine(int columns);
