// Paths between the benchmarks' POSIX side (the shell, the tools compared
// with) and the port's Windows form.
#pragma once

#include <cstdlib>
#include <string>

#include "text/cp936_path.h"

// A POSIX path in the port's Windows form.
inline std::string WindowsForm(const std::string& posixPath) { return cp936::ReplaceSeparators(posixPath, '/', '\\'); }

// A path as one shell word (the generated paths hold no quote).
inline std::string Quoted(const std::string& path) { return "'" + path + "'"; }

// Runs a shell command line; true when it succeeded.
inline bool Run(const std::string& line) { return std::system(line.c_str()) == 0; }
