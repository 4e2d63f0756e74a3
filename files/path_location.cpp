#include "files/path_location.h"

#include "port/file_system.h"
#include "text/cp936_path.h"
#include "text/path_form.h"

namespace {

// A bare drive names its root.
std::string Location(const std::string& path) {
  return pathform::IsBareDrive(path) ? pathform::WithBackslash(path) : path;
}

// The resolved form used for comparing: no trailing backslash but a root's,
// letter case folded where the file system folds it.
std::string Comparable(const std::string& path) {
  const std::string resolved = pathform::WithoutBackslash(port::ResolvedPath(Location(path)));
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

// A path typed in the long form is shown in its plain form.
std::string ShownPath(const std::string& path) { return port::FullPath(Location(pathform::PlainFormOf(path))); }

bool IsSameOrInside(const std::string& path, const std::string& folder) { return Relation(path, folder) != 0; }

bool IsStrictlyInside(const std::string& path, const std::string& folder) { return Relation(path, folder) == 2; }

bool IsSameLocation(const std::string& a, const std::string& b) { return Comparable(a) == Comparable(b); }

bool SameEntryName(const std::string& a, const std::string& b) {
  return a == b || (port::NamesIgnoreCase() && cp936::EqualIgnoringCase(a, b));
}
