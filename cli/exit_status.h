// The command line's exit status, as scripts and cron read it.
#pragma once

enum ExitStatus : int {
  kExitSuccess = 0,        // done as asked
  kExitFailure = 1,        // failed or refused, with the message why
  kExitUsage = 2,          // the command line itself is wrong, with the usage
  kExitInterrupted = 130,  // stopped by an interrupt (Ctrl-C), what it made removed: 128 + SIGINT
};
