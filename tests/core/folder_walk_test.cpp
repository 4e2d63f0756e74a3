#include "files/folder_walk.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace {

TEST(FolderWalk, OneBackslashBeforeTheMask) {
  EXPECT_EQ(ListingPattern("C:\\"), "C:\\*.*");
  EXPECT_EQ(ListingPattern("C:\\drivers"), "C:\\drivers\\*.*");
  EXPECT_EQ(ListingPattern("C:\\drivers\\"), "C:\\drivers\\*.*");
  EXPECT_EQ(ListingPattern("C:\\\x9C\x5C"), "C:\\\x9C\x5C\\*.*");  // trail byte, not a separator
}

// A stop deep in the tree lists nothing more, but each folder being walked
// still gets its report after its content, innermost first.
TEST(FolderWalk, AfterAStopEachEnclosingFolderIsReportedOnceMore) {
  TempFolder temp;
  WriteTestFile(temp / "A\\B\\STOP.TXT", "");
  const struct {
    bool afterContent;
    bool stopAtFile;
    std::vector<std::string> reports;
  } cases[] = {
      {true, true, {"A@0", "B@1", "STOP.TXT@2", "B@1 after", "A@0 after"}},
      {false, true, {"A@0", "B@1", "STOP.TXT@2"}},
      {true, false, {"A@0", "B@1", "STOP.TXT@2", "B@1 after", "A@0 after"}},
  };
  for (const auto& c : cases) {
    FolderWalk walk;
    walk.folder = temp.path();
    walk.afterContent = c.afterContent;
    std::vector<std::string> reports;
    const bool finished = Walk(walk, [&](const WalkEntry& entry) {
      reports.push_back(entry.found.name + "@" + std::to_string(entry.depth) + (entry.afterContent ? " after" : ""));
      return c.stopAtFile && !entry.found.IsDirectory() ? WalkStep::kStop : WalkStep::kGoOn;
    });
    EXPECT_EQ(reports, c.reports);
    EXPECT_EQ(finished, !c.stopAtFile);
  }
}

}  // namespace
