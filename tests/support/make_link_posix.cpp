#include <unistd.h>

#include "support/make_link.h"
#include "text/cp936_path.h"

namespace {

bool MakeLink(const std::string& target, const std::string& link) {
  return symlink(cp936::ReplaceSeparators(target, '\\', '/').c_str(),
                 cp936::ReplaceSeparators(link, '\\', '/').c_str()) == 0;
}

}  // namespace

bool MakeFolderLink(const std::string& target, const std::string& link) { return MakeLink(target, link); }

bool MakeFileLink(const std::string& target, const std::string& link) { return MakeLink(target, link); }

void RemoveLink(const std::string& link) {
  std::string native = cp936::ReplaceSeparators(link, '\\', '/');
  while (native.size() > 1 && native.back() == '/') native.pop_back();
  unlink(native.c_str());
}
