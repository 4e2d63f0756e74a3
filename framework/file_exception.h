// A failed file operation that a command does not handle itself. The
// dialog framework catches it when it escapes a command handler, reports it
// with AfxReportFileError and goes on; the handler's remaining steps do not
// run.
#pragma once

#include <stdexcept>
#include <string>

class CFileException : public std::runtime_error {
 public:
  explicit CFileException(const std::string& description) : std::runtime_error(description) {}
};
