#include "files/folder_walk.h"

#include <gtest/gtest.h>


namespace {

TEST(FolderWalk, OneBackslashBeforeTheMask) {
  EXPECT_EQ(ListingPattern("C:\\"), "C:\\*.*");
  EXPECT_EQ(ListingPattern("C:\\drivers"), "C:\\drivers\\*.*");
  EXPECT_EQ(ListingPattern("C:\\drivers\\"), "C:\\drivers\\*.*");
  EXPECT_EQ(ListingPattern("C:\\\x9C\x5C"), "C:\\\x9C\x5C\\*.*");  // trail byte, not a separator
}

}  // namespace
