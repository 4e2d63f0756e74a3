#include "cli/shown_text.h"

#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

// True when `folder` is one of `given` or holds one.
bool IsGivenOrHoldsGiven(const std::string& folder, const std::vector<std::string>& given) {
  for (const std::string& path : given) {
    if (path.size() >= folder.size() && path.compare(0, folder.size(), folder) == 0 &&
        (path.size() == folder.size() || path[folder.size()] == '\\')) {
      return true;
    }
  }
  return false;
}

bool IsFolderHere(const std::string& folder, const std::vector<std::string>& given) {
  return IsGivenOrHoldsGiven(folder, given) || port::IsFolder(folder);
}

// The backslashes of `text` from `start` on, on character boundaries.
std::vector<std::size_t> BackslashesFrom(const std::string& text, std::size_t start) {
  std::vector<std::size_t> found;
  for (std::size_t at = start; at < text.size();) {
    if (text[at] == '\\') found.push_back(at);
    at += cp936::IsLeadByte(static_cast<unsigned char>(text[at])) && at + 1 < text.size() ? 2 : 1;
  }
  return found;
}

}  // namespace

std::string ShownText(const std::string& text, const std::vector<std::string>& given) {
  const std::vector<std::size_t> backslashes = BackslashesFrom(text, 0);
  std::string shown;
  std::size_t copied = 0;
  for (std::size_t first = 0; first < backslashes.size();) {
    const std::size_t start = backslashes[first];
    // The separators taken: the root's, then each after a folder.
    std::size_t last = first;
    while (last + 1 < backslashes.size() && IsFolderHere(text.substr(start, backslashes[last + 1] - start), given)) {
      ++last;
    }
    if (last == first) {
      ++first;
      continue;
    }
    const std::size_t end = backslashes[last] + 1;
    shown += text.substr(copied, start - copied) + port::UserPath(text.substr(start, end - start));
    copied = end;
    first = last + 1;
  }
  return shown + text.substr(copied);
}
