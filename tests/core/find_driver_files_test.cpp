#include "search/find_driver_files.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <set>
#include <utility>

#include "support/make_link.h"
#include "support/temp_folder.h"
#include "text/cp936_path.h"
#include "text/white_space.h"

namespace {

using Rows = std::vector<std::pair<std::string, std::string>>;

Rows AsPairs(const std::vector<DriverRow>& rows) {
  Rows out;
  for (const DriverRow& row : rows) out.emplace_back(row.name, row.path);
  return out;
}

Rows Sorted(Rows rows) {
  std::sort(rows.begin(), rows.end());
  return rows;
}

// A folder tree in memory whose listings come back in exactly the order the
// entries were added, as a file system may return them; "." and ".." come
// first, as most file systems report them.
class FakeTree {
 public:
  explicit FakeTree(std::string root) : root_(std::move(root)) { Listing(root_); }

  const std::string& root() const { return root_; }

  // Adds a file to `folder` (a path as the search forms it) and returns its
  // path.
  std::string File(const std::string& folder, const std::string& name) {
    Listing(folder).push_back({name, Prefix(folder) + name, port::kAttrNormal});
    return Prefix(folder) + name;
  }

  // Adds a sub-folder and returns its path.
  std::string Folder(const std::string& folder, const std::string& name) {
    const std::string path = Prefix(folder) + name;
    Listing(folder).push_back({name, path, port::kAttrDirectory});
    Listing(path);
    return path;
  }

  void MakeUnreadable(const std::string& folder) { unreadable_.insert(Prefix(folder)); }

  FolderListing Lister() {
    return [this](const std::string& pattern, std::vector<port::FoundEntry>* entries) {
      patterns.push_back(pattern);
      entries->clear();
      const std::size_t slash = cp936::LastBackslash(pattern);
      const std::string prefix = pattern.substr(0, slash + 1);
      if (pattern.substr(slash + 1) != "*.*" || unreadable_.count(prefix) != 0) return false;
      auto it = folders_.find(prefix);
      if (it == folders_.end()) return false;
      *entries = it->second;
      return true;
    };
  }

  std::vector<std::string> patterns;  // every pattern listed, in order

 private:
  static std::string Prefix(const std::string& folder) {
    return cp936::EndsWithBackslash(folder) ? folder : folder + "\\";
  }

  std::vector<port::FoundEntry>& Listing(const std::string& folder) {
    auto inserted = folders_.emplace(Prefix(folder), std::vector<port::FoundEntry>());
    if (inserted.second) {
      inserted.first->second.push_back({".", Prefix(folder) + ".", port::kAttrDirectory});
      inserted.first->second.push_back({"..", Prefix(folder) + "..", port::kAttrDirectory});
    }
    return inserted.first->second;
  }

  std::string root_;
  std::map<std::string, std::vector<port::FoundEntry>> folders_;
  std::set<std::string> unreadable_;
};

// The result list as the add-driver dialog was first designed to fill it:
// one list of rows, every folder inserting at its own count, a preferred
// file searching all rows for its name and deleting them one by one, an
// ordinary file searching all rows for a preferred one of its name. Slow,
// and written to be plainly that algorithm, so that the real search can be
// held against it.
class ReferenceSearch {
 public:
  explicit ReferenceSearch(FolderListing listing) : listing_(std::move(listing)) {}

  Rows Run(const std::string& folder) {
    rows_.clear();
    Search(folder);
    return rows_;
  }

  int removals = 0;           // rows deleted by a preferred file
  int insertionsPastEnd = 0;  // a folder's count was past the last row

 private:
  static bool EndsInDotDos(const std::string& name) {
    if (name.size() < 4) return false;
    std::string last = name.substr(name.size() - 4);
    for (char& c : last) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return last == ".dos";
  }

  static bool Marked(const std::string& path) { return path.find("MSLANMAN.DOS") != std::string::npos; }

  void Search(const std::string& folder) {
    std::string pattern = folder;
    if (pattern.empty() || pattern.back() != '\\') pattern += "\\";
    pattern += "*.*";
    std::vector<port::FoundEntry> entries;
    if (!listing_(pattern, &entries)) return;
    std::size_t insertPosition = 0;
    for (const port::FoundEntry& entry : entries) {
      if (entry.IsDirectory()) {
        if (!entry.IsDots()) Search(entry.path);
        continue;
      }
      const std::string name = text::Trim(entry.name);
      const std::string path = text::Trim(entry.path);
      if (!EndsInDotDos(name)) continue;
      if (Marked(path)) {
        for (std::size_t i = 0; i < rows_.size();) {
          if (rows_[i].first == name) {
            rows_.erase(rows_.begin() + static_cast<std::ptrdiff_t>(i));
            ++removals;
          } else {
            ++i;
          }
        }
      } else {
        bool shadowed = false;
        for (const auto& row : rows_) {
          if (row.first == name && Marked(row.second)) shadowed = true;
        }
        if (shadowed) continue;
      }
      if (insertPosition > rows_.size()) ++insertionsPastEnd;
      rows_.insert(rows_.begin() + static_cast<std::ptrdiff_t>(std::min(insertPosition, rows_.size())), {name, path});
      ++insertPosition;
    }
  }

  FolderListing listing_;
  Rows rows_;
};

// --- Row order -------------------------------------------------------------

TEST(FindDriverFilesOrder, EachFolderInsertsItsRowsFromTheTop) {
  FakeTree tree("C:\\R");
  tree.File("C:\\R", "a.dos");
  const std::string s = tree.Folder("C:\\R", "S");
  tree.File(s, "c.dos");
  tree.File(s, "d.dos");
  tree.File("C:\\R", "b.dos");
  EXPECT_EQ(AsPairs(FindDriverFiles("C:\\R", tree.Lister())), (Rows{{"c.dos", "C:\\R\\S\\c.dos"},
                                                                    {"b.dos", "C:\\R\\b.dos"},
                                                                    {"d.dos", "C:\\R\\S\\d.dos"},
                                                                    {"a.dos", "C:\\R\\a.dos"}}));
}

TEST(FindDriverFilesOrder, AFolderWithoutSubFoldersKeepsTheListingOrder) {
  FakeTree tree("C:\\R");
  for (const char* name : {"z.dos", "m.dos", "a.dos", "q.dos"}) tree.File("C:\\R", name);
  EXPECT_EQ(
      AsPairs(FindDriverFiles("C:\\R", tree.Lister())),
      (Rows{
          {"z.dos", "C:\\R\\z.dos"}, {"m.dos", "C:\\R\\m.dos"}, {"a.dos", "C:\\R\\a.dos"}, {"q.dos", "C:\\R\\q.dos"}}));

  // The same on disk, in whatever order the file system lists the folder.
  TempFolder temp;
  for (const char* name : {"z.dos", "m.dos", "a.dos", "q.dos", "notes.txt"}) WriteTestFile(temp / name, "x");
  std::vector<port::FoundEntry> listed;
  ASSERT_TRUE(port::FindFiles(temp / "*.*", &listed));
  Rows expected;
  for (const port::FoundEntry& entry : listed) {
    if (cp936::EndsWithIgnoringCase(entry.name, ".dos")) expected.emplace_back(entry.name, entry.path);
  }
  EXPECT_EQ(AsPairs(FindDriverFiles(temp.path())), expected);
}

TEST(FindDriverFilesOrder, LaterSubFoldersPushEarlierRowsDown) {
  // R: a.dos, S (c.dos, T (e.dos), d.dos), b.dos, U (f.dos), g.dos.
  FakeTree tree("R");
  tree.File("R", "a.dos");
  const std::string s = tree.Folder("R", "S");
  tree.File(s, "c.dos");
  const std::string t = tree.Folder(s, "T");
  tree.File(t, "e.dos");
  tree.File(s, "d.dos");
  tree.File("R", "b.dos");
  const std::string u = tree.Folder("R", "U");
  tree.File(u, "f.dos");
  tree.File("R", "g.dos");
  ReferenceSearch reference(tree.Lister());
  const Rows expected = reference.Run("R");
  std::vector<std::string> names;
  for (const auto& row : expected) names.push_back(row.first);
  // Worked through by hand: the list after each step is
  //   a; c a; e c a; e d c a; e b d c a; f e b d c a; f e g b d c a.
  EXPECT_EQ(names, (std::vector<std::string>{"f.dos", "e.dos", "g.dos", "b.dos", "d.dos", "c.dos", "a.dos"}));
  EXPECT_EQ(AsPairs(FindDriverFiles("R", tree.Lister())), expected);
}

// --- Which files are listed ------------------------------------------------

TEST(FindDriverFilesNames, TheLastFourCharactersDecideLetterCaseIgnored) {
  FakeTree tree("R");
  for (const char* name : {"x.Dos", "X.DOS", "x.dos", ".dos", "dos", "x.dosx", "x.do", "DOS.TXT", "A.DOSX", "os"}) {
    tree.File("R", name);
  }
  tree.Folder("R", "folder.dos");  // a folder is searched, not listed
  std::vector<std::string> names;
  for (const DriverRow& row : FindDriverFiles("R", tree.Lister())) names.push_back(row.name);
  EXPECT_EQ(names, (std::vector<std::string>{"x.Dos", "X.DOS", "x.dos", ".dos"}));
}

TEST(FindDriverFilesNames, NamesAndPathsAreTrimmed) {
  FakeTree tree("R");
  tree.File("R", " lead.dos");
  tree.File("R", "trail.dos \t");
  tree.File("R", "inner .dos\r\n");
  tree.File("R", "x.dos s");  // white space inside: the name ends in "os s"
  EXPECT_EQ(AsPairs(FindDriverFiles("R", tree.Lister())),
            (Rows{{"lead.dos", "R\\ lead.dos"}, {"trail.dos", "R\\trail.dos"}, {"inner .dos", "R\\inner .dos"}}));
}

TEST(FindDriverFilesNames, ADoubleByteNameIsListedWhole) {
  FakeTree tree("R");
  const std::string card = "\x9C\x5C";  // a trail byte that is a backslash
  const std::string folder = tree.Folder("R", card);
  tree.File(folder, card + ".DOS");
  EXPECT_EQ(AsPairs(FindDriverFiles("R", tree.Lister())), (Rows{{card + ".DOS", "R\\" + card + "\\" + card + ".DOS"}}));
}

// --- Preferred files -------------------------------------------------------

class FindDriverFilesPreference : public ::testing::Test {
 protected:
  FakeTree tree{"R"};
  Rows Search() { return AsPairs(FindDriverFiles("R", tree.Lister())); }
};

TEST_F(FindDriverFilesPreference, OrdinaryFilesOfOneNameAreAllListed) {
  const std::string p = tree.File(tree.Folder("R", "P"), "A.DOS");
  const std::string q = tree.File(tree.Folder("R", "Q"), "A.DOS");
  EXPECT_EQ(Sorted(Search()), Sorted({{"A.DOS", p}, {"A.DOS", q}}));
}

TEST_F(FindDriverFilesPreference, APreferredFileRemovesEveryOrdinaryRowOfItsName) {
  tree.File(tree.Folder("R", "P"), "A.DOS");
  const std::string other = tree.File(tree.Folder("R", "O"), "B.DOS");
  tree.File(tree.Folder("R", "Q"), "A.DOS");
  tree.File("R", "A.DOS");
  const std::string preferred = tree.File(tree.Folder(tree.Folder("R", "N"), "MSLANMAN.DOS"), "A.DOS");
  EXPECT_EQ(Sorted(Search()), Sorted({{"A.DOS", preferred}, {"B.DOS", other}}));
}

TEST_F(FindDriverFilesPreference, AnOrdinaryFileAfterAPreferredOneIsLeftOut) {
  const std::string preferred = tree.File(tree.Folder("R", "MSLANMAN.DOS"), "A.DOS");
  tree.File(tree.Folder("R", "P"), "A.DOS");
  tree.File("R", "A.DOS");
  EXPECT_EQ(Search(), (Rows{{"A.DOS", preferred}}));
}

TEST_F(FindDriverFilesPreference, TheLaterOfTwoPreferredFilesReplacesTheEarlier) {
  tree.File(tree.Folder("R", "MSLANMAN.DOS"), "A.DOS");
  tree.File(tree.Folder("R", "P"), "A.DOS");
  const std::string later = tree.File(tree.Folder("R", "x MSLANMAN.DOS y"), "A.DOS");
  EXPECT_EQ(Search(), (Rows{{"A.DOS", later}}));
}

TEST_F(FindDriverFilesPreference, TheMarkIsCaseSensitive) {
  const std::string lower = tree.File(tree.Folder("R", "mslanman.dos"), "A.DOS");
  const std::string plain = tree.File(tree.Folder("R", "P"), "A.DOS");
  EXPECT_EQ(Sorted(Search()), Sorted({{"A.DOS", lower}, {"A.DOS", plain}}));
}

TEST_F(FindDriverFilesPreference, AFileNamedMslanmanDosIsItselfPreferred) {
  tree.File(tree.Folder("R", "P"), "MSLANMAN.DOS");
  const std::string later = tree.File(tree.Folder("R", "Q"), "MSLANMAN.DOS");
  const std::string lower = tree.File(tree.Folder("R", "L"), "mslanman.dos");
  EXPECT_EQ(Sorted(Search()), Sorted({{"MSLANMAN.DOS", later}, {"mslanman.dos", lower}}));
}

TEST_F(FindDriverFilesPreference, NamesDifferingInLetterCaseAreDifferentNames) {
  const std::string lower = tree.File(tree.Folder("R", "P"), "a.dos");
  const std::string preferred = tree.File(tree.Folder("R", "MSLANMAN.DOS"), "A.DOS");
  const std::string after = tree.File(tree.Folder("R", "Q"), "a.dos");
  EXPECT_EQ(Sorted(Search()), Sorted({{"A.DOS", preferred}, {"a.dos", after}, {"a.dos", lower}}));
}

TEST_F(FindDriverFilesPreference, AFileNamedDotDosIsListedAndProposesNoName) {
  const std::string path = tree.File("R", ".dos");
  const Rows rows = Search();
  EXPECT_EQ(rows, (Rows{{".dos", path}}));
  EXPECT_EQ(ProposedCardName(rows.front().first), "");
  EXPECT_FALSE(AddFieldsComplete(path, ProposedCardName(rows.front().first)));
}

TEST_F(FindDriverFilesPreference, RemovalsMoveTheInsertionPointsOfTheFoldersBelow) {
  // R: a.dos, p.dos, S (MSLANMAN.DOS (a.dos)), b.dos. Removing R's a.dos
  // moves p.dos up one place, so b.dos, inserted at R's count of 2, comes
  // after p.dos: a.dos, p.dos, b.dos.
  tree.File("R", "a.dos");
  tree.File("R", "p.dos");
  const std::string preferred = tree.File(tree.Folder(tree.Folder("R", "S"), "MSLANMAN.DOS"), "a.dos");
  tree.File("R", "b.dos");
  EXPECT_EQ(Search(), (Rows{{"a.dos", preferred}, {"p.dos", "R\\p.dos"}, {"b.dos", "R\\b.dos"}}));
}

TEST(FindDriverFilesMark, TheMarkStartsOnACharacterBoundary) {
  EXPECT_TRUE(IsPreferredDriverPath("C:\\MSLANMAN.DOS\\A.DOS"));
  EXPECT_TRUE(IsPreferredDriverPath("C:\\xMSLANMAN.DOSx\\A.DOS"));
  EXPECT_FALSE(IsPreferredDriverPath("C:\\mslanman.dos\\A.DOS"));
  EXPECT_FALSE(IsPreferredDriverPath("C:\\MSLANMAN.DO"));
  // 0x81 0x4D is one double-byte character whose trail byte is an M.
  EXPECT_FALSE(IsPreferredDriverPath("C:\\\x81MSLANMAN.DOS"));
  EXPECT_TRUE(IsPreferredDriverPath("C:\\\x81MMSLANMAN.DOS"));
  EXPECT_TRUE(IsPreferredDriverPath("\x81\x81MSLANMAN.DOS"));
}

// --- Patterns and unreadable folders -----------------------------------------

TEST(FindDriverFilesPattern, ADriveRootAndAPlainFolderAreEachListedOnce) {
  FakeTree root("C:\\");
  root.File(root.Folder("C:\\", "S"), "a.dos");
  EXPECT_EQ(AsPairs(FindDriverFiles("C:\\", root.Lister())), (Rows{{"a.dos", "C:\\S\\a.dos"}}));
  EXPECT_EQ(root.patterns, (std::vector<std::string>{"C:\\*.*", "C:\\S\\*.*"}));

  FakeTree plain("C:\\drivers");
  plain.File(plain.Folder("C:\\drivers", "S"), "a.dos");
  EXPECT_EQ(AsPairs(FindDriverFiles("C:\\drivers", plain.Lister())), (Rows{{"a.dos", "C:\\drivers\\S\\a.dos"}}));
  EXPECT_EQ(AsPairs(FindDriverFiles("C:\\drivers\\", plain.Lister())), (Rows{{"a.dos", "C:\\drivers\\S\\a.dos"}}));
  EXPECT_EQ(plain.patterns, (std::vector<std::string>{"C:\\drivers\\*.*", "C:\\drivers\\S\\*.*", "C:\\drivers\\*.*",
                                                      "C:\\drivers\\S\\*.*"}));
}

TEST(FindDriverFilesPattern, OnDiskATrailingBackslashMakesNoDifference) {
  TempFolder temp;
  WriteTestFile(temp / "A\\E100B.DOS", "x");
  WriteTestFile(temp / "A\\B\\RTL.dos", "x");
  WriteTestFile(temp / "C.DOS", "x");
  const Rows without = AsPairs(FindDriverFiles(temp.path()));
  EXPECT_EQ(AsPairs(FindDriverFiles(temp.path() + "\\")), without);
  EXPECT_EQ(
      Sorted(without),
      Sorted({{"E100B.DOS", temp / "A\\E100B.DOS"}, {"RTL.dos", temp / "A\\B\\RTL.dos"}, {"C.DOS", temp / "C.DOS"}}));
}

TEST(FindDriverFilesPattern, FoldersThatCannotBeListedGiveNoRows) {
  FakeTree tree("R");
  tree.File("R", "a.dos");
  const std::string s = tree.Folder("R", "S");
  tree.File(s, "hidden.dos");
  tree.MakeUnreadable(s);
  tree.File(tree.Folder("R", "T"), "t.dos");
  EXPECT_EQ(Sorted(AsPairs(FindDriverFiles("R", tree.Lister()))),
            Sorted({{"a.dos", "R\\a.dos"}, {"t.dos", "R\\T\\t.dos"}}));
  TempFolder temp;
  EXPECT_TRUE(FindDriverFiles(temp / "missing").empty());
  EXPECT_TRUE(FindDriverFiles(temp.path()).empty());
}

// --- Against the reference -----------------------------------------------------

// Names chosen so that random folders hold shared names, names differing
// only in letter case or white space, preferred folders and preferred file
// names.
const char* const kFileNames[] = {"a.dos", "A.DOS",   "a.Dos", " a.dos",       "a.dos ",       "b.dos",
                                  "B.DOS", "\tb.dos", "c.dos", "MSLANMAN.DOS", "mslanman.dos", " MSLANMAN.DOS",
                                  "x.txt", "dos",     ".dos",  "e.dosx",       "d.DOS"};
const char* const kFolderNames[] = {"S", "T", "U", "W", "MSLANMAN.DOS", "mslanman.dos", "pre MSLANMAN.DOS", "V.dos"};

void GenerateFake(FakeTree* tree, const std::string& folder, int depth, std::mt19937* random) {
  std::set<std::string> used;
  const int count = std::uniform_int_distribution<int>(0, 7)(*random);
  for (int i = 0; i < count; ++i) {
    const bool isFolder = depth < 4 && std::uniform_int_distribution<int>(0, 9)(*random) < 3;
    const std::string name =
        isFolder ? kFolderNames[std::uniform_int_distribution<std::size_t>(0, std::size(kFolderNames) - 1)(*random)]
                 : kFileNames[std::uniform_int_distribution<std::size_t>(0, std::size(kFileNames) - 1)(*random)];
    if (!used.insert(name).second) continue;
    if (isFolder) {
      GenerateFake(tree, tree->Folder(folder, name), depth + 1, random);
    } else {
      tree->File(folder, name);
    }
  }
}

TEST(FindDriverFilesReference, SameRowsInTheSameOrderOnRandomTrees) {
  std::mt19937 random(20240611);
  const char* const roots[] = {"R", "C:\\", "C:\\R\\", "D:\\drv\\pkg"};
  int removals = 0, insertionsPastEnd = 0, rowsCompared = 0;
  for (int round = 0; round < 4000; ++round) {
    FakeTree tree(roots[round % std::size(roots)]);
    GenerateFake(&tree, tree.root(), 0, &random);
    ReferenceSearch reference(tree.Lister());
    const Rows expected = reference.Run(tree.root());
    ASSERT_EQ(AsPairs(FindDriverFiles(tree.root(), tree.Lister())), expected) << "tree " << round;
    removals += reference.removals;
    insertionsPastEnd += reference.insertionsPastEnd;
    rowsCompared += static_cast<int>(expected.size());
  }
  // The trees did exercise what makes the order hard to keep.
  EXPECT_GT(removals, 1000);
  EXPECT_GT(insertionsPastEnd, 20);
  EXPECT_GT(rowsCompared, 10000);
}

TEST(FindDriverFilesReference, WideFoldersWithManySharedNames) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    FakeTree tree("R");
    std::vector<std::string> folders{"R"};
    std::set<std::pair<std::string, std::string>> used;
    for (int step = 0; step < 500; ++step) {
      const std::string where = folders[std::uniform_int_distribution<std::size_t>(0, folders.size() - 1)(random)];
      if (std::uniform_int_distribution<int>(0, 9)(random) == 0) {
        // One new folder in nine is preferred.
        const std::string name = (folders.size() % 9 == 0 ? "MSLANMAN.DOS" : "F") + std::to_string(folders.size());
        folders.push_back(tree.Folder(where, name));
        continue;
      }
      const std::string name = "N" + std::to_string(std::uniform_int_distribution<int>(0, 40)(random)) + ".DOS";
      if (used.insert({where, name}).second) tree.File(where, name);
    }
    ReferenceSearch reference(tree.Lister());
    ASSERT_EQ(AsPairs(FindDriverFiles("R", tree.Lister())), reference.Run("R")) << "tree " << round;
  }
}

// Portable names only: no two in one folder that differ only in letter case,
// no trailing blanks.
const char* const kDiskFileNames[] = {"a.dos", "B.DOS", " a.dos", "c.Dos", "MSLANMAN.DOS", "x.txt", ".dos", "d.dos"};
const char* const kDiskFolderNames[] = {"S", "T", "MSLANMAN.DOS", "pre MSLANMAN.DOS", "mslanman", "V.dos"};

void GenerateOnDisk(const std::string& folder, int depth, std::mt19937* random) {
  std::set<std::string> used;
  const int count = std::uniform_int_distribution<int>(0, 6)(*random);
  for (int i = 0; i < count; ++i) {
    const bool isFolder = depth < 3 && std::uniform_int_distribution<int>(0, 9)(*random) < 4;
    const std::string name =
        isFolder
            ? kDiskFolderNames[std::uniform_int_distribution<std::size_t>(0, std::size(kDiskFolderNames) - 1)(*random)]
            : kDiskFileNames[std::uniform_int_distribution<std::size_t>(0, std::size(kDiskFileNames) - 1)(*random)];
    if (!used.insert(cp936::UpperAscii(name)).second) continue;
    if (isFolder) {
      MakeTestFolders(folder + "\\" + name);
      GenerateOnDisk(folder + "\\" + name, depth + 1, random);
    } else {
      WriteTestFile(folder + "\\" + name, "x");
    }
  }
}

TEST(FindDriverFilesReference, SameRowsInTheSameOrderOnRandomTreesOnDisk) {
  std::mt19937 random(99);
  int rowsCompared = 0;
  for (int round = 0; round < 30; ++round) {
    TempFolder temp;
    GenerateOnDisk(temp.path(), 0, &random);
    ReferenceSearch reference(port::FindFiles);
    const Rows expected = reference.Run(temp.path());
    ASSERT_EQ(AsPairs(FindDriverFiles(temp.path())), expected) << "tree " << round;
    rowsCompared += static_cast<int>(expected.size());
  }
  EXPECT_GT(rowsCompared, 30);
}

// --- Directory links -----------------------------------------------------------

TEST(FindDriverFilesLinks, LinksBackIntoTheTreeAreNotFollowed) {
  TempFolder temp;
  const std::string root = temp / "R";
  WriteTestFile(root + "\\A\\a.dos", "x");
  WriteTestFile(root + "\\B\\b.dos", "x");
  MakeTestFolders(root + "\\C");
  WriteTestFile(temp / "O\\o.dos", "x");
  if (!MakeFolderLink(root, root + "\\A\\loop")) GTEST_SKIP() << "directory links cannot be made here";
  ASSERT_TRUE(MakeFolderLink(root + "\\B", root + "\\B\\self"));
  ASSERT_TRUE(MakeFolderLink(root + "\\A", root + "\\C\\toA"));  // a sibling: followed
  ASSERT_TRUE(MakeFolderLink(temp / "O", root + "\\Other"));     // outside: followed
  ASSERT_TRUE(MakeFolderLink(root, temp / "O\\back"));

  int listings = 0;
  const FolderListing counting = [&listings](const std::string& pattern, std::vector<port::FoundEntry>* entries) {
    // Far more listings than the tree has folders means a loop: stop it, so
    // that a fault fails the test instead of hanging it.
    if (++listings > 1000) return false;
    return port::FindFiles(pattern, entries);
  };
  const Rows rows = AsPairs(FindDriverFiles(root, counting));
  EXPECT_LT(listings, 20);
  EXPECT_EQ(Sorted(rows), Sorted({{"a.dos", root + "\\A\\a.dos"},
                                  {"b.dos", root + "\\B\\b.dos"},
                                  {"a.dos", root + "\\C\\toA\\a.dos"},
                                  {"o.dos", root + "\\Other\\o.dos"}}));
}

// --- Progress and cancel -------------------------------------------------------

// Records each report and answers false at report `stopAt` (0: never).
struct StoppingProgress : Progress {
  explicit StoppingProgress(std::uint64_t at) : stopAt(at) {}
  bool Step(const std::string& what, std::uint64_t done, std::uint64_t) override {
    reports.emplace_back(what, done);
    return done != stopAt;
  }
  std::uint64_t stopAt;
  std::vector<std::pair<std::string, std::uint64_t>> reports;
};

TEST(FindDriverFilesProgress, EachFolderListedIsReportedAndAFalseStepStopsWithNoRows) {
  FakeTree tree("R");  // R: a.dos, S (T (e.dos)), U (f.dos), listed in this order
  tree.File("R", "a.dos");
  tree.File(tree.Folder(tree.Folder("R", "S"), "T"), "e.dos");
  tree.File(tree.Folder("R", "U"), "f.dos");
  const Rows all = AsPairs(FindDriverFiles("R", tree.Lister()));
  ASSERT_EQ(all.size(), 3u);
  const decltype(StoppingProgress::reports) reports = {{"R\\", 1}, {"R\\S\\", 2}, {"R\\S\\T\\", 3}, {"R\\U\\", 4}};
  for (const std::uint64_t stopAt : {1, 3, 0}) {  // at the start, in the middle, never
    SCOPED_TRACE(stopAt);
    const std::size_t folders = stopAt == 0 ? reports.size() : stopAt;
    tree.patterns.clear();
    StoppingProgress progress(stopAt);
    EXPECT_EQ(AsPairs(FindDriverFiles("R", tree.Lister(), &progress)), stopAt == 0 ? all : Rows());
    EXPECT_EQ(progress.reports, decltype(reports)(reports.begin(), reports.begin() + folders));
    EXPECT_EQ(tree.patterns.size(), folders);
  }
}

// --- The dialog's rules ----------------------------------------------------------

TEST(FindDriverFilesDialogRules, TheProposedNameIsTheFileNameUpToItsLastDot) {
  EXPECT_EQ(ProposedCardName("E100B.DOS"), "E100B");
  EXPECT_EQ(ProposedCardName("rtl.8139.dos"), "rtl.8139");
  EXPECT_EQ(ProposedCardName(".dos"), "");
  EXPECT_EQ(ProposedCardName("NODOT"), "NODOT");
  EXPECT_EQ(ProposedCardName("网卡.DOS"), "网卡");
  EXPECT_EQ(ProposedCardName("\x9C\x5C.DOS"), "\x9C\x5C");
}

TEST(FindDriverFilesDialogRules, AddNeedsBothFieldsBesidesWhiteSpace) {
  EXPECT_TRUE(AddFieldsComplete("C:\\x\\E100B.DOS", "E100B"));
  EXPECT_TRUE(AddFieldsComplete(" C:\\x\\E100B.DOS ", " E100 "));
  EXPECT_FALSE(AddFieldsComplete("C:\\x\\E100B.DOS", ""));
  EXPECT_FALSE(AddFieldsComplete("C:\\x\\E100B.DOS", " \t\r\n\v\f"));
  EXPECT_FALSE(AddFieldsComplete("  ", "E100"));
  EXPECT_FALSE(AddFieldsComplete("", ""));
}

}  // namespace
