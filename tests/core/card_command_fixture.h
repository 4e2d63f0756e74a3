// A driver library laid out in a fresh folder, with the main window in
// memory, for the tests of the commands that change a card.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "library/card_list.h"
#include "support/fake_main_view.h"
#include "support/fat_test_image.h"
#include "support/temp_folder.h"
#include "text/cp936_path.h"

// The repository's sample folder, found from this source file's path (a
// POSIX path of the build machine is reached through drive Z: under Wine);
// "" when it cannot be found.
inline std::string SampleFolder() {
  const std::string source = cp936::ReplaceSeparators(__FILE__, '/', '\\');
  const std::string repository = cp936::FolderOf(cp936::FolderOf(cp936::FolderOf(source)));
  for (const std::string& candidate : {repository, "Z:" + repository}) {
    if (IsFolder(candidate + "\\sample\\BootDisk\\NET")) return candidate + "\\sample";
  }
  return std::string();
}

class CardCommandTest : public ::testing::Test {
 protected:
  TempFolder temp;
  std::string program = temp.path();
  std::string library = temp / "driver";
  FakeMainView view;
  CardList list;

  // Writes <library>\<folder>\<driver> and its <DRV>.INI and returns the
  // driver's path. `folder` may name a sub-folder ("E100\DOS").
  std::string LayOutCard(const std::string& folder, const std::string& driver) {
    const std::string path = library + "\\" + folder + "\\" + driver;
    WriteTestFile(path, "driver " + driver);
    WriteTestFile(cp936::FolderWithBackslashOf(path) + cp936::BaseNameOf(path) + ".INI", "[" + driver + "]");
    return path;
  }

  // Shows `driverPath` as the next row, as the card list does after a scan.
  void Show(const std::string& driverPath) {
    const std::string card = cp936::FileNameOf(cp936::FolderOf(driverPath));
    list.Append({list.Count(), card, driverPath});
    view.rows.push_back(card);
  }

  // The row showing `card`, or -1.
  int RowOf(const std::string& card) const {
    for (std::size_t i = 0; i < view.rows.size(); ++i) {
      if (view.rows[i] == card) return static_cast<int>(i);
    }
    return -1;
  }

  // Row i shows the entry with rowIndex i, and the entries are numbered
  // 0, 1, 2 ... in list order.
  void ExpectRowsPaired() const {
    ASSERT_EQ(static_cast<int>(view.rows.size()), list.Count());
    int row = 0;
    for (const CardEntry& entry : list) {
      EXPECT_EQ(entry.rowIndex, row);
      EXPECT_EQ(view.rows[static_cast<std::size_t>(row)], entry.cardName) << "row " << row;
      ++row;
    }
  }

  // Everything a command could change: rows, selection, entries and disk.
  struct State {
    std::vector<std::string> rows;
    int selected;
    std::vector<std::tuple<int, std::string, std::string>> entries;
    std::vector<std::string> disk;
    bool operator==(const State& other) const {
      return rows == other.rows && selected == other.selected && entries == other.entries && disk == other.disk;
    }
  };
  State Now() const {
    State state{view.rows, view.selected, {}, ListTree(temp.path())};
    for (const CardEntry& entry : list) state.entries.emplace_back(entry.rowIndex, entry.cardName, entry.driverPath);
    return state;
  }
};

// The sample template and library laid out as a program folder, with a row
// for each of three of its cards, for the tests of the builds.
class SampleProgramTest : public CardCommandTest {
 protected:
  void SetUp() override {
    sample = SampleFolder();
    ASSERT_FALSE(sample.empty()) << "sample folder not found from " << __FILE__;
    LayOutProgramFolder(program);
  }

  // Lays the sample out in `folder`, which becomes the program folder.
  virtual void LayOutProgramFolder(const std::string& folder) {
    program = folder;
    library = program + "\\driver";
    CopyTestTree(sample + "\\BootDisk", program + "\\BootDisk");
    CopyTestTree(sample + "\\driver", library);
    list.Clear();
    view.rows.clear();
    Show(library + "\\E100B\\E100B.DOS");
    Show(library + "\\RTL8139\\RTL8139.DOS");
    Show(library + "\\3C90X\\NDIS2\\EL90X.DOS");
  }

  // The template folder's NET files, `left` out, as a template image
  // holds them.
  TestFiles TemplateNetFiles(const std::string& left = "") const {
    TestFiles files;
    for (const std::string& name : ListTree(program + "\\BootDisk\\NET")) {
      if (name != left) files.push_back({name, ReadTestFile(program + "\\BootDisk\\NET\\" + name)});
    }
    return files;
  }

  // <program>\BootDisk.img: a floppy whose NET holds the template's NET
  // files, and whose AUTOEXEC.BAT is the template's, as a boot floppy's is.
  void WriteTemplateImage() {
    WriteTestFile(program + "\\BootDisk.img",
                  MemoryFloppy(TemplateNetFiles(), {{"AUTOEXEC.BAT", ReadTestFile(program + "\\BootDisk\\AUTOEXEC.BAT")}}));
  }

  std::string sample;
};
