#include "files/path_location.h"

#include <gtest/gtest.h>

#include "port/file_system.h"
#include "support/temp_folder.h"
#include "text/cp936_path.h"

namespace {

class PathLocationTest : public ::testing::Test {
 protected:
  void SetUp() override {
    MakeTestFolders(net);
    MakeTestFolders(temp / "BootDisk\\NETWORK");
  }

  TempFolder temp;
  std::string net = temp / "BootDisk\\NET";
};

TEST_F(PathLocationTest, TheSameFolderSpelledDifferentlyIsOneLocation) {
  const std::string spellings[] = {
      net + "\\",
      temp.path() + "\\\\BootDisk\\\\NET\\\\",
      temp / "BootDisk\\.\\NET",
      temp / "BootDisk\\NETWORK\\..\\NET",
      temp / "BootDisk\\MISSING\\..\\NET\\.",
      cp936::ReplaceSeparators(net, '\\', '/'),
  };
  for (const std::string& spelling : spellings) {
    EXPECT_TRUE(IsSameLocation(spelling, net)) << spelling;
    EXPECT_TRUE(IsSameOrInside(spelling, net)) << spelling;
    EXPECT_TRUE(IsSameOrInside(net, spelling)) << spelling;
    EXPECT_FALSE(IsStrictlyInside(spelling, net)) << spelling;
  }
}

TEST_F(PathLocationTest, EntriesBelowAFolderLieInsideItWhetherOrNotTheyExist) {
  const std::string bootDisk = temp / "BootDisk";
  for (const std::string& below : {net, net + "\\SYSTEM.INI", bootDisk + "\\NEW\\A\\B\\", bootDisk + "\\\\NET\\\\X"}) {
    EXPECT_TRUE(IsStrictlyInside(below, bootDisk)) << below;
    EXPECT_TRUE(IsSameOrInside(below, bootDisk + "\\")) << below;
    EXPECT_FALSE(IsSameOrInside(bootDisk, below)) << below;
    EXPECT_FALSE(IsSameLocation(below, bootDisk)) << below;
  }
}

TEST_F(PathLocationTest, ASiblingWhoseNameBeginsWithTheFolderNameIsNotInside) {
  for (const std::string& sibling :
       {temp / "BootDisk\\NETWORK", temp / "BootDisk\\NETWORK\\X", temp / "BootDisk\\NET.BAK", temp / "BootDisk2\\NET"}) {
    EXPECT_FALSE(IsSameOrInside(sibling, net)) << sibling;
    EXPECT_FALSE(IsSameLocation(sibling, net)) << sibling;
  }
  EXPECT_FALSE(IsSameOrInside(temp / "BootDisk2", temp / "BootDisk"));
}

TEST_F(PathLocationTest, LetterCaseCountsOnlyWhereTheFileSystemKeepsIt) {
  const bool ignored = port::NamesIgnoreCase();
  EXPECT_EQ(IsSameLocation(temp / "bootdisk\\net", net), ignored);
  EXPECT_EQ(IsStrictlyInside(temp / "BOOTDISK\\NET\\SYSTEM.INI", temp / "BootDisk"), ignored);
  EXPECT_EQ(IsSameOrInside(temp / "BootDisk\\Net\\NEW", net), ignored);
}

TEST_F(PathLocationTest, EverythingLiesInsideTheRootOfItsDrive) {
  const std::string root = temp.path().substr(0, cp936::FindFirst(temp.path(), '\\') + 1);
  EXPECT_TRUE(IsStrictlyInside(net, root)) << root;
  EXPECT_TRUE(IsSameLocation(root, root));
  EXPECT_FALSE(IsSameOrInside(root, net));
}

}  // namespace
