// Paths between the benchmarks' POSIX side (the shell, the tools compared
// with) and the port's Windows form.
#pragma once

#include <cstdlib>
#include <string>

#include "port/file_system.h"

// A POSIX path in the port's Windows form (the generated paths are ASCII,
// the same in either encoding).
inline std::string WindowsForm(const std::string& posixPath) { return port::PortPath(posixPath); }

// A path as one shell word (the generated paths hold no quote).
inline std::string Quoted(const std::string& path) { return "'" + path + "'"; }

// Runs a shell command line; true when it succeeded.
inline bool Run(const std::string& line) { return std::system(line.c_str()) == 0; }
