// The commands on the driver library: list, search, add, rename and delete,
// each calling the core as the window's command does and saying what
// happened as a line and an exit status.
#pragma once

#include "cli/command_table.h"

int RunList(const CommandRow& row, const Invocation& invocation);
int RunSearch(const CommandRow& row, const Invocation& invocation);
int RunAdd(const CommandRow& row, const Invocation& invocation);
int RunRename(const CommandRow& row, const Invocation& invocation);
int RunDelete(const CommandRow& row, const Invocation& invocation);
