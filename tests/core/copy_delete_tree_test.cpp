#include "files/copy_tree.h"
#include "files/delete_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "port/file_system.h"
#include "support/headlines.h"
#include "support/make_link.h"
#include "support/temp_folder.h"
#include "text/cp936_path.h"

namespace {

using Texts = std::vector<std::string>;

class CopyDeleteTreeTest : public ::testing::Test {
 protected:
  // A source tree with files at two depths, an empty folder and a folder
  // holding only a folder.
  void WriteSourceTree() {
    WriteTestFile(source + "\\AUTOEXEC.BAT", "@ECHO OFF\r\n");
    WriteTestFile(source + "\\NET\\SYSTEM.INI", "[network]\r\n");
    WriteTestFile(source + "\\NET\\PROTOCOL.INI", "[NIC]\r\n");
    WriteTestFile(source + "\\NET\\SUB\\DEEP.TXT", "deep");
    MakeTestFolders(source + "\\EMPTY");
    MakeTestFolders(source + "\\OUTER\\INNER");
  }

  // A path ending in a backslash names a folder to empty, any other an
  // entry to remove.
  bool RemoveOrEmpty(const std::string& path) {
    return cp936::EndsWithBackslash(path) ? EmptyFolder(path, &messages) : DeleteTree(path, &messages);
  }

  // Every file of `folder` with its bytes, folders as names.
  std::vector<std::pair<std::string, std::string>> Snapshot(const std::string& folder) const {
    std::vector<std::pair<std::string, std::string>> snapshot;
    for (const std::string& name : ListTree(folder)) {
      snapshot.push_back({name, cp936::EndsWithBackslash(name) ? "" : ReadTestFile(folder + "\\" + name)});
    }
    return snapshot;
  }

  TempFolder temp;
  std::string source = temp / "src";
  std::string target = temp / "dst";
  Messages messages;
};

TEST_F(CopyDeleteTreeTest, EmptyingAFolderRemovesEverythingInsideWhateverItsAttributes) {
  WriteSourceTree();
  WriteTestFile(source + "\\READONLY.SYS", "r");
  WriteTestFile(source + "\\NET\\SUB\\HIDDEN.SYS", "h");
  ASSERT_TRUE(port::SetAttributes(source + "\\READONLY.SYS", port::kAttrReadOnly));
  ASSERT_TRUE(port::SetAttributes(source + "\\NET\\SUB\\HIDDEN.SYS", port::kAttrHidden | port::kAttrReadOnly));
  EXPECT_TRUE(EmptyFolder(source, &messages));
  EXPECT_TRUE(IsFolder(source));
  EXPECT_EQ(ListTree(source), Texts{});
  EXPECT_EQ(messages, Texts{});
}

TEST_F(CopyDeleteTreeTest, APathWithoutTrailingBackslashRemovesExactlyThatEntry) {
  WriteTestFile(source + "\\RTL8139.INI", "ini");
  WriteTestFile(source + "\\RTL8139.INI.bak", "backup");
  WriteTestFile(source + "\\rtl8139.ini.old", "old");
  WriteTestFile(source + "\\NET\\SYSTEM.INI", "s");
  ASSERT_TRUE(port::SetAttributes(source + "\\NET\\SYSTEM.INI", port::kAttrReadOnly));
  WriteTestFile(source + "\\NETWORK\\KEEP.TXT", "keep");
  WriteTestFile(source + "\\NET.TXT", "keep too");

  EXPECT_TRUE(DeleteTree(source + "\\RTL8139.INI", &messages));
  EXPECT_TRUE(DeleteTree(source + "\\NET", &messages));
  EXPECT_EQ(ListTree(source), (Texts{"NET.TXT", "NETWORK\\", "NETWORK\\KEEP.TXT", "RTL8139.INI.bak", "rtl8139.ini.old"}));
  EXPECT_EQ(messages, Texts{});
}

TEST_F(CopyDeleteTreeTest, EmptyingAFolderLeavesASiblingWithALongerName) {
  WriteTestFile(temp / "NET\\A.DOS", "a");
  WriteTestFile(temp / "NETWORK\\B.DOS", "b");
  EXPECT_TRUE(EmptyFolder(temp / "NET", &messages));
  Texts expected = {"NET\\", "NETWORK\\", "NETWORK\\B.DOS"};
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(ListTree(temp.path()), expected);
}

TEST_F(CopyDeleteTreeTest, NothingToRemoveOrCopyIsNoFailure) {
  EXPECT_TRUE(EmptyFolder(temp / "missing", &messages));
  EXPECT_TRUE(DeleteTree(temp / "missing", &messages));
  EXPECT_TRUE(DeleteTree(temp / "missing\\FILE.TXT", &messages));
  MakeTestFolders(target);
  EXPECT_TRUE(CopyTree(temp / "missing\\", target + "\\", &messages));
  MakeTestFolders(source);
  EXPECT_TRUE(CopyTree(source + "\\", target + "\\", &messages));
  EXPECT_EQ(ListTree(target), Texts{});
  EXPECT_EQ(messages, Texts{});
}

TEST_F(CopyDeleteTreeTest, AFileThatCannotBeDeletedIsReportedThenEachEnclosingFolder) {
  const std::string root = temp / "BootDisk";
  WriteTestFile(root + "\\A\\B\\C\\X.DOS", "locked");
  WriteTestFile(root + "\\A\\B\\OTHER.TXT", "o");
  auto lock = port::LockFile(root + "\\A\\B\\C\\X.DOS");
  ASSERT_NE(lock, nullptr);

  EXPECT_FALSE(EmptyFolder(root, &messages));
  EXPECT_EQ(messages, (Texts{"删除文件" + root + "\\A\\B\\C\\X.DOS失败！", "删除目录" + root + "\\A\\B\\C失败！",
                                  "删除目录" + root + "\\A\\B失败！", "删除目录" + root + "\\A失败！"}));
  lock.reset();
  EXPECT_EQ(ReadTestFile(root + "\\A\\B\\C\\X.DOS"), "locked");
}

TEST_F(CopyDeleteTreeTest, CopiesTheWholeTreeOverwritingSameNamesAndKeepingOthers) {
  WriteSourceTree();
  WriteTestFile(target + "\\NET\\SYSTEM.INI", "stale");
  WriteTestFile(target + "\\USER.TXT", "the user's");
  EXPECT_TRUE(CopyTree(source + "\\", target + "\\", &messages));
  EXPECT_EQ(messages, Texts{});

  std::vector<std::pair<std::string, std::string>> expected = Snapshot(source);
  expected.push_back({"USER.TXT", "the user's"});
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(Snapshot(target), expected);
}

TEST_F(CopyDeleteTreeTest, CopiesIntoATargetGivenWithoutTrailingBackslash) {
  WriteSourceTree();
  MakeTestFolders(target);
  EXPECT_TRUE(CopyTree(source, target, &messages));
  EXPECT_EQ(Snapshot(target), Snapshot(source));
}

TEST_F(CopyDeleteTreeTest, ACopyFailureStopsAtOnceAndCopiesNothingListedAfterIt) {
  // Which entries come before the failing folder is the listing's business,
  // so the expectation is read from the listing itself.
  for (const char* name : {"A.TXT", "B.TXT", "C.TXT", "D.TXT", "E.TXT", "F.TXT"}) {
    WriteTestFile(source + "\\" + name, name);
  }
  WriteTestFile(source + "\\SUB\\FIRST.TXT", "1");
  WriteTestFile(source + "\\SUB\\LOCKED.DOS", "locked");
  auto lock = port::LockFile(source + "\\SUB\\LOCKED.DOS");
  ASSERT_NE(lock, nullptr);
  MakeTestFolders(target);

  EXPECT_FALSE(CopyTree(source + "\\", target + "\\", &messages));
  EXPECT_EQ(Headlines(messages), Texts{"文件拷贝失败！"});
  EXPECT_FALSE(Exists(target + "\\SUB\\LOCKED.DOS"));

  std::vector<port::FoundEntry> entries;
  ASSERT_TRUE(port::FindFiles(source + "\\*.*", &entries));
  bool beforeSub = true;
  for (const port::FoundEntry& entry : entries) {
    if (entry.IsDots()) continue;
    if (entry.name == "SUB") {
      beforeSub = false;
      EXPECT_TRUE(IsFolder(target + "\\SUB"));  // created before its content
      continue;
    }
    EXPECT_EQ(Exists(target + "\\" + entry.name), beforeSub) << entry.name;
  }
  lock.reset();
  EXPECT_EQ(ReadTestFile(source + "\\SUB\\LOCKED.DOS"), "locked");
}

TEST_F(CopyDeleteTreeTest, AReadOnlyTargetFileFailsAndOnlyItsLeftoverIsRemoved) {
  WriteTestFile(source + "\\DRIVER.DOS", "new");
  WriteTestFile(target + "\\DRIVER.DOS", "old");
  WriteTestFile(target + "\\DRIVER.DOS.bak", "backup");
  ASSERT_TRUE(port::SetAttributes(target + "\\DRIVER.DOS", port::kAttrReadOnly));
  EXPECT_FALSE(CopyTree(source + "\\", target + "\\", &messages));
  EXPECT_EQ(Headlines(messages), Texts{"文件拷贝失败！"});
  EXPECT_EQ(ListTree(target), Texts{"DRIVER.DOS.bak"});
  EXPECT_EQ(ReadTestFile(source + "\\DRIVER.DOS"), "new");
}

TEST_F(CopyDeleteTreeTest, AFolderInTheTargetNamedLikeASourceFileIsNotRemoved) {
  WriteTestFile(source + "\\NET", "a file");
  WriteTestFile(target + "\\NET\\KEEP.TXT", "the user's");
  EXPECT_FALSE(CopyTree(source + "\\", target + "\\", &messages));
  EXPECT_EQ(Headlines(messages), Texts{"文件拷贝失败！"});
  EXPECT_EQ(ReadTestFile(target + "\\NET\\KEEP.TXT"), "the user's");
}

TEST_F(CopyDeleteTreeTest, AMissingTargetFailsOnTheFirstFile) {
  WriteTestFile(source + "\\ONLY.TXT", "x");
  EXPECT_FALSE(CopyTree(source + "\\", temp / "missing\\NET\\", &messages));
  EXPECT_EQ(Headlines(messages), Texts{"文件拷贝失败！"});
  EXPECT_FALSE(Exists(temp / "missing"));
}

TEST_F(CopyDeleteTreeTest, TheSourceIsNeverDamagedWhateverItsSpelling) {
  WriteSourceTree();
  MakeTestFolders(source + "\\src\\src");  // the source's own name again inside it
  WriteTestFile(source + "\\src\\src\\NESTED.TXT", "nested");
  const auto before = Snapshot(source);
  const std::string parent = temp.path();

  std::vector<std::string> spellings = {
      parent + "\\\\src\\\\",
      parent + "\\.\\src\\.\\",
      parent + "\\dst\\..\\src\\",
      cp936::ReplaceSeparators(source + "\\", '\\', '/'),
      "src\\",  // relative to the current folder
  };
  if (port::NamesIgnoreCase()) spellings.push_back(cp936::UpperAscii(source) + "\\");

  const std::string current = port::CurrentFolder();
  ASSERT_TRUE(port::SetCurrentFolder(parent));
  int n = 0;
  for (const std::string& spelling : spellings) {
    const std::string copy = temp / ("copy" + std::to_string(n++));
    MakeTestFolders(copy);
    EXPECT_TRUE(CopyTree(spelling, copy + "\\", &messages)) << spelling;
    EXPECT_EQ(Snapshot(copy), before) << spelling;
    EXPECT_EQ(Snapshot(source), before) << spelling;
  }
  port::SetCurrentFolder(current);
  EXPECT_EQ(messages, Texts{});
}

TEST_F(CopyDeleteTreeTest, ATargetThatIsTheSourceOrLiesInsideItIsRefused) {
  WriteSourceTree();
  const auto before = Snapshot(source);
  const std::vector<std::string> targets = {
      source + "\\",
      temp.path() + "\\\\src",
      source + "\\NET\\",
      source + "\\NET\\SUB\\..\\NEW\\",
      source + "\\NOT-YET\\",
  };
  for (const std::string& inside : targets) {
    messages.clear();
    EXPECT_FALSE(CopyTree(source + "\\", inside, &messages)) << inside;
    ASSERT_EQ(messages.size(), 1u) << inside;
    EXPECT_NE(messages[0].find(source), std::string::npos) << messages[0];
    EXPECT_EQ(Snapshot(source), before) << inside;
  }
}

TEST_F(CopyDeleteTreeTest, ACopyIntoAnEnclosingFolderIsRefusedOnlyWhenItWouldReachTheSource) {
  // Copying A\B\ into A\ writes A\<entries of B>; with A\B\B\ present that
  // lands on A\B\ itself.
  const std::string a = temp / "A";
  WriteTestFile(a + "\\B\\B\\X.TXT", "inner");
  WriteTestFile(a + "\\B\\X.TXT", "outer");
  const auto before = Snapshot(a);
  EXPECT_FALSE(CopyTree(a + "\\B\\", a + "\\", &messages));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(Snapshot(a), before);

  // Without that folder it is an ordinary copy.
  messages.clear();
  const std::string c = temp / "C";
  WriteTestFile(c + "\\D\\Y.TXT", "y");
  WriteTestFile(c + "\\D\\E\\Z.TXT", "z");
  EXPECT_TRUE(CopyTree(c + "\\D\\", c + "\\", &messages));
  EXPECT_EQ(ListTree(c), (Texts{"D\\", "D\\E\\", "D\\E\\Z.TXT", "D\\Y.TXT", "E\\", "E\\Z.TXT", "Y.TXT"}));
  EXPECT_EQ(messages, Texts{});
}

TEST_F(CopyDeleteTreeTest, UserTextIsNeverTakenForAFormat) {
  const std::string odd = temp / "100%s %n%d";
  WriteTestFile(odd + "\\SRC\\F.TXT", "f");
  MakeTestFolders(odd + "\\DST");
  EXPECT_TRUE(CopyTree(odd + "\\SRC\\", odd + "\\DST\\", &messages));
  EXPECT_EQ(ReadTestFile(odd + "\\DST\\F.TXT"), "f");
  const auto lock = port::LockFile(odd + "\\DST\\F.TXT");
  ASSERT_NE(lock, nullptr);
  EXPECT_FALSE(EmptyFolder(odd + "\\DST", &messages));
  EXPECT_EQ(messages, Texts{"删除文件" + odd + "\\DST\\F.TXT失败！"});
}

TEST_F(CopyDeleteTreeTest, AbortCopyReportsAndRemovesWhatItIsGiven) {
  WriteSourceTree();
  WriteTestFile(temp / "TEMP.INI", "t");
  WriteTestFile(temp / "TEMP.INI.keep", "k");
  AbortCopy(temp / "TEMP.INI", &messages);
  AbortCopy(source + "\\", &messages);
  EXPECT_EQ(Headlines(messages), (Texts{"文件拷贝失败！", "文件拷贝失败！"}));
  EXPECT_EQ(ListTree(temp.path()), Texts{"TEMP.INI.keep"});
}

// --- Links in the trees -----------------------------------------------------------

TEST_F(CopyDeleteTreeTest, ARemovedLinkGoesAsALinkAndWhatItLeadsToStays) {
  const std::string outside = temp / "outside";
  WriteTestFile(outside + "\\KEEP.TXT", "the user's");
  WriteTestFile(outside + "\\SUB\\DEEP.TXT", "deep");
  const Texts outsideBefore = ListTree(outside);
  const LinkRemoval removal = ProbeLinkRemoval(temp / "probe");
  const struct {
    const char* link;     // below the tree
    bool toFolder;
    const char* removed;  // what is removed, below the tree; ending in '\\' (or "", the tree): emptied
  } cases[] = {
      {"L", true, "L"},              // the link named itself
      {"L", true, "L\\"},            // emptied: the link goes, never its content
      {"A\\L", true, "A"},           // inside a folder removed whole
      {"A\\L", true, ""},            // inside the folder being emptied
      {"A\\F.TXT", false, "A\\F.TXT"},
      {"A\\F.TXT", false, ""},
  };
  for (const auto& c : cases) {
    const std::string tree = temp / "tree";
    const std::string link = tree + "\\" + c.link;
    MakeTestFolders(cp936::FolderOf(link));
    const bool made = c.toFolder ? MakeFolderLink(outside, link) : MakeFileLink(outside + "\\KEEP.TXT", link);
    if (!made) GTEST_SKIP() << "links cannot be made here";
    messages.clear();
    const bool removed = RemoveOrEmpty(tree + "\\" + c.removed);
    SCOPED_TRACE(std::string(c.link) + " removed as " + c.removed);
    EXPECT_EQ(ListTree(outside), outsideBefore);
    EXPECT_EQ(ReadTestFile(outside + "\\KEEP.TXT"), "the user's");
    if (c.toFolder ? removal.folderLinks : removal.fileLinks) {
      EXPECT_TRUE(removed);
      EXPECT_FALSE(Exists(link) || port::IsLink(link));
      EXPECT_EQ(messages, Texts{});
    } else {
      EXPECT_FALSE(removed);
      ASSERT_FALSE(messages.empty());
      EXPECT_NE(messages[0].find(link), std::string::npos) << messages[0];
    }
    RemoveTestTree(tree);
  }
}

TEST_F(CopyDeleteTreeTest, AnEmptyFolderALinkLeadsToStaysWhenTheLinkIsRemoved) {
  const std::string empty = temp / "empty";
  MakeTestFolders(empty);
  MakeTestFolders(temp / "tree");
  for (const char* removed : {"L", "L\\", ""}) {
    SCOPED_TRACE(removed);
    if (!MakeFolderLink(empty, temp / "tree\\L")) GTEST_SKIP() << "links cannot be made here";
    RemoveOrEmpty(temp / "tree\\" + removed);
    EXPECT_TRUE(IsFolder(empty));
    RemoveTestTree(temp / "tree");
    MakeTestFolders(temp / "tree");
  }
}

TEST_F(CopyDeleteTreeTest, NothingIsWrittenThroughALinkInTheTarget) {
  WriteSourceTree();
  const std::string outside = temp / "outside";
  WriteTestFile(outside + "\\SYSTEM.INI", "the user's");
  const auto sourceBefore = Snapshot(source);
  const struct {
    const char* link;  // in the target, named like a source entry
    std::string leadsTo;
    bool toFolder;
  } cases[] = {
      {"NET", source + "\\NET", true},  // into the source: the clean-up would remove source files
      {"NET", outside, true},
      {"NET\\SYSTEM.INI", source + "\\NET\\SYSTEM.INI", false},
      {"AUTOEXEC.BAT", outside + "\\SYSTEM.INI", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link + std::string(" -> ") + c.leadsTo);
    const std::string link = target + "\\" + c.link;
    MakeTestFolders(cp936::FolderOf(link));
    if (!(c.toFolder ? MakeFolderLink(c.leadsTo, link) : MakeFileLink(c.leadsTo, link))) {
      GTEST_SKIP() << "links cannot be made here";
    }
    const Texts outsideBefore = ListTree(outside);
    messages.clear();
    EXPECT_FALSE(CopyTree(source + "\\", target + "\\", &messages));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(link), std::string::npos) << messages[0];
    EXPECT_EQ(Snapshot(source), sourceBefore);
    EXPECT_EQ(ListTree(outside), outsideBefore);
    EXPECT_EQ(ReadTestFile(outside + "\\SYSTEM.INI"), "the user's");
    EXPECT_TRUE(port::IsLink(link));
    RemoveTestTree(target);
  }
}

TEST_F(CopyDeleteTreeTest, ASourceLinkIntoTheCopyIsNotFollowedAndTheCopyFails) {
  WriteSourceTree();
  const std::string library = temp / "library";
  WriteTestFile(library + "\\E100\\E100B.DOS", "driver");
  MakeTestFolders(target);
  const struct {
    const char* link;  // in the source
    std::string leadsTo;
  } cases[] = {
      {"TOTARGET", target},
      {"NET\\TOLIBRARY", library},
      {"NET\\INTOLIBRARY", library + "\\E100"},
      {"NET\\SUB\\UP", source},
      {"SIBLING", source + "\\OUTER"},
      {"PARENT", temp.path()},  // holds the target and the source
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link + std::string(" -> ") + c.leadsTo);
    const std::string link = source + "\\" + c.link;
    if (!MakeFolderLink(c.leadsTo, link)) GTEST_SKIP() << "links cannot be made here";
    const Texts libraryBefore = ListTree(library);
    messages.clear();
    EXPECT_FALSE(CopyTree(source + "\\", target + "\\", &messages, {library}));
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(link), std::string::npos) << messages[0];
    EXPECT_FALSE(Exists(target + "\\" + c.link));
    for (const std::string& name : ListTree(target)) EXPECT_LT(name.size(), 40u) << name;
    EXPECT_EQ(ListTree(library), libraryBefore);
    RemoveLink(link);
    RemoveTestTree(target);
    MakeTestFolders(target);
  }
}

TEST_F(CopyDeleteTreeTest, ASourceLinkToAFolderElsewhereIsCopiedThrough) {
  WriteSourceTree();
  WriteTestFile(temp / "tools\\CLONE.EXE", "clone");
  if (!MakeFolderLink(temp / "tools", source + "\\TOOLS")) GTEST_SKIP() << "links cannot be made here";
  MakeTestFolders(target);
  EXPECT_TRUE(CopyTree(source + "\\", target + "\\", &messages));
  EXPECT_EQ(messages, Texts{});
  EXPECT_EQ(ReadTestFile(target + "\\TOOLS\\CLONE.EXE"), "clone");
  EXPECT_FALSE(port::IsLink(target + "\\TOOLS"));
}

}  // namespace
