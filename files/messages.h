// What a file operation tells the user about a failure: the texts for the
// application's message box, in the order the failures arose. The
// operations only collect them; the command that called them shows them.
#pragma once

#include <string>
#include <vector>

using Messages = std::vector<std::string>;
