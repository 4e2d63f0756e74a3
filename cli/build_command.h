// The builds of boot media on the command line: every row of the command
// table that names a BuildKind runs here, as the window's build command
// runs it, with the target from the command line instead of the target
// dialog, and nothing asked: a target that would be replaced is replaced.
#pragma once

#include "cli/command_table.h"

// Refused as the window refuses it before asking for the target (no card
// in the library, RefusalBeforeTarget); a CARD that names no card, or
// several, is refused too. Then runs the build (RunBuild) as long work on
// a thread of its own, cancelled at an interrupt; an exception it lets out
// is a failure (NoteFailedBuild). Says its outcome.
int RunBuildCommand(const CommandRow& row, const Invocation& invocation);
