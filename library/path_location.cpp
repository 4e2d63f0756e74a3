#include "library/path_location.h"

#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

// The resolved form used for comparing: no trailing backslash, letter case
// folded where the file system folds it.
std::string Comparable(const std::string& path) {
  std::string resolved = port::ResolvedPath(path);
  while (resolved.size() > 1 && cp936::EndsWithBackslash(resolved)) resolved.pop_back();
  return port::NamesIgnoreCase() ? cp936::UpperAscii(resolved) : resolved;
}

// 0: not inside, 1: same, 2: strictly inside.
int Relation(const std::string& path, const std::string& folder) {
  const std::string p = Comparable(path);
  std::string f = Comparable(folder);
  if (p == f) return 1;
  if (!cp936::EndsWithBackslash(f)) f += '\\';
  // The folder must end on a character boundary of the path: `f` ends with a
  // real backslash, and `p` has a real backslash at that position.
  if (p.size() > f.size() && p.compare(0, f.size(), f) == 0 &&
      cp936::LastBackslash(p.substr(0, f.size())) == f.size() - 1) {
    return 2;
  }
  return 0;
}

}  // namespace

bool IsSameOrInside(const std::string& path, const std::string& folder) { return Relation(path, folder) != 0; }

bool IsStrictlyInside(const std::string& path, const std::string& folder) { return Relation(path, folder) == 2; }

bool IsSameLocation(const std::string& a, const std::string& b) { return Comparable(a) == Comparable(b); }
