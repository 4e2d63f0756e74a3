#include <unistd.h>

#include "port/file_system.h"
#include "support/make_link.h"

namespace {

bool MakeLink(const std::string& target, const std::string& link) {
  return symlink(port::NativePath(target).c_str(), port::NativePath(link).c_str()) == 0;
}

}  // namespace

bool MakeFolderLink(const std::string& target, const std::string& link) { return MakeLink(target, link); }

bool MakeFileLink(const std::string& target, const std::string& link) { return MakeLink(target, link); }

void RemoveLink(const std::string& link) {
  std::string native = port::NativePath(link);
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  unlink(native.c_str());
}
