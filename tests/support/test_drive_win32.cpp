#include "support/test_drive.h"

#include <vector>

#include "port/file_system.h"
#include "support/temp_folder.h"

namespace {

// Removes everything in the drive's root but the mark.
void EmptyRoot(const std::string& root) {
  std::vector<port::FoundEntry> entries;
  if (!port::FindFiles(root + "*.*", &entries)) return;
  for (const port::FoundEntry& entry : entries) {
    if (!entry.IsDots() && entry.name != kTestDriveMark) RemoveTestTree(entry.path);
  }
}

}  // namespace

TestDrive::TestDrive(char letter) : letter_(letter) {
  if (!Exists(*this / kTestDriveMark)) {
    problem_ = bare() + " is not a test drive (no " + kTestDriveMark +
               " in its root); tools/wine-env.sh's prepare_wine_prefix maps R: and T: to test folders";
    return;
  }
  EmptyRoot(root());
}

TestDrive::~TestDrive() {
  if (problem_.empty()) EmptyRoot(root());
}
