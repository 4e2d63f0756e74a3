#include "library/add_card.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "card_command_fixture.h"
#include "library/card_name_check.h"
#include "port/file_system.h"
#include "support/headlines.h"
#include "support/make_link.h"
#include "support/temp_folder.h"
#include "text/cp936_path.h"
#include "text/white_space.h"
#include "window/card_commands.h"

namespace {

using Snapshot = std::vector<std::pair<std::string, std::string>>;

// Every entry below `folder` with the content of each file.
Snapshot TakeSnapshot(const std::string& folder) {
  Snapshot snapshot;
  for (const std::string& entry : ListTree(folder)) {
    snapshot.emplace_back(entry, cp936::EndsWithBackslash(entry) ? "" : ReadTestFile(folder + "\\" + entry));
  }
  return snapshot;
}

const char kProtocolText[] = "[E100B]\r\nDriverName=E100B$\r\n";

class AddCardTest : public CardCommandTest {
 protected:
  // The driver package lies outside the program folder, as on a CD.
  TempFolder packages;
  std::string package = packages / "E100B\\DOS";
  std::string driver = package + "\\E100B.DOS";
  Snapshot packageBefore;

  void SetUp() override {
    WriteTestFile(driver, "E100B driver");
    WriteTestFile(package + "\\PROTOCOL.INI", kProtocolText);
    WriteTestFile(package + "\\X\\README.TXT", "readme");
    WriteTestFile(package + "\\X\\Y\\DEEP.TXT", "deep");
    MakeTestFolders(package + "\\X\\EMPTY");
    WriteTestFile(packages / "E100B\\OUTSIDE.TXT", "not part of the card");
    packageBefore = TakeSnapshot(packages.path());
  }

  void Add(const std::string& path, const std::string& name) {
    view.AnswerDriver(path, name);
    AddCard(view, &list, program);
  }

  // The add was refused with one message of the command's own, and nothing
  // changed anywhere.
  void ExpectRefused(const State& before, const std::string& what) {
    EXPECT_TRUE(Now() == before) << what;
    EXPECT_EQ(TakeSnapshot(packages.path()), packageBefore) << what;
    ASSERT_EQ(view.boxes.size(), 1u) << what;
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kMessage) << what;
    EXPECT_EQ(view.boxes[0].caption, "添加错误") << what;
    EXPECT_FALSE(view.boxes[0].text.empty()) << what;
    view.boxes.clear();
  }

  const CardEntry& Last() const {
    const CardEntry* entry = list.FindByRow(list.Count() - 1);
    EXPECT_NE(entry, nullptr);
    return *entry;
  }
};

// --- Successful adds -----------------------------------------------------------

TEST_F(AddCardTest, CopiesTheDriversWholeFolderIntoANewCardFolder) {
  ASSERT_FALSE(Exists(library));
  Add(driver, "E100");
  EXPECT_TRUE(view.boxes.empty()) << view.BoxTexts().front();
  EXPECT_EQ(ListTree(library),
            (std::vector<std::string>{"E100\\", "E100\\E100B.DOS", "E100\\E100B.INI", "E100\\X\\", "E100\\X\\EMPTY\\",
                                      "E100\\X\\README.TXT", "E100\\X\\Y\\", "E100\\X\\Y\\DEEP.TXT"}));
  EXPECT_EQ(ReadTestFile(library + "\\E100\\E100B.INI"), kProtocolText);
  EXPECT_EQ(ReadTestFile(library + "\\E100\\E100B.DOS"), "E100B driver");
  EXPECT_EQ(view.rows, (std::vector<std::string>{"E100"}));
  EXPECT_EQ(view.selected, -1);
  EXPECT_TRUE(view.listFocused);
  ASSERT_EQ(list.Count(), 1);
  EXPECT_EQ(Last().rowIndex, 0);
  EXPECT_EQ(Last().cardName, "E100");
  EXPECT_EQ(Last().driverPath, library + "\\E100\\E100B.DOS");
  EXPECT_EQ(TakeSnapshot(packages.path()), packageBefore);
}

TEST_F(AddCardTest, TheProtocolFileReplacesACardIniThatCameWithThePackage) {
  WriteTestFile(package + "\\E100B.INI", "the package's own");
  Add(driver, "E100");
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_EQ(ReadTestFile(library + "\\E100\\E100B.INI"), kProtocolText);
  EXPECT_FALSE(Exists(library + "\\E100\\PROTOCOL.INI"));
  EXPECT_EQ(ReadTestFile(package + "\\E100B.INI"), "the package's own");
  ExpectRowsPaired();
}

TEST_F(AddCardTest, ALowerCaseExtensionGivesALowerCaseBaseName) {
  const std::string lower = packages / "rtl\\e100b.dos";
  WriteTestFile(lower, "lower");
  WriteTestFile(packages / "rtl\\PROTOCOL.INI", "[rtl]");
  Add(lower, "RTL");
  EXPECT_EQ(ListTree(library + "\\RTL"), (std::vector<std::string>{"e100b.INI", "e100b.dos"}));
  EXPECT_EQ(ReadTestFile(library + "\\RTL\\e100b.INI"), "[rtl]");
  EXPECT_EQ(Last().driverPath, library + "\\RTL\\e100b.dos");
}

TEST_F(AddCardTest, APackageWithoutProtocolIniGivesACardWithoutIni) {
  const std::string bare = packages / "bare\\BARE.DOS";
  WriteTestFile(bare, "bare");
  Add(bare, "Bare");
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_EQ(ListTree(library + "\\Bare"), (std::vector<std::string>{"BARE.DOS"}));
  ExpectRowsPaired();
}

TEST_F(AddCardTest, ADriverNamedProtocolKeepsItsProtocolFile) {
  const std::string named = packages / "odd\\PROTOCOL.DOS";
  WriteTestFile(named, "odd");
  WriteTestFile(packages / "odd\\PROTOCOL.INI", "[odd]");
  Add(named, "Odd");
  EXPECT_TRUE(view.boxes.empty()) << view.BoxTexts().front();
  EXPECT_EQ(ReadTestFile(library + "\\Odd\\PROTOCOL.INI"), "[odd]");
  ExpectRowsPaired();
}

TEST_F(AddCardTest, TheNewCardGoesBehindTheListedOnes) {
  Show(LayOutCard("RTL", "RTL.DOS"));
  Show(LayOutCard("NE2000", "NE2000.DOS"));
  Show(LayOutCard("3C509", "ELNK3.DOS"));
  const std::vector<std::string> before = ListTree(library);
  Add(driver, "E100");
  ASSERT_EQ(list.Count(), 4);
  EXPECT_EQ(Last().rowIndex, 3);
  EXPECT_EQ(view.rows[3], "E100");
  ExpectRowsPaired();
  std::vector<std::string> after = ListTree(library);
  for (const std::string& entry : before) EXPECT_NE(std::find(after.begin(), after.end(), entry), after.end()) << entry;
}

TEST_F(AddCardTest, LeadingBlanksOfTheNameGo) {
  Add(driver, " \t E100");
  EXPECT_EQ(view.rows, (std::vector<std::string>{"E100"}));
  EXPECT_EQ(Last().cardName, "E100");
  EXPECT_TRUE(IsFolder(library + "\\E100"));
}

TEST_F(AddCardTest, AFolderOfThatNameThatIsNoCardIsUsedAsItIs) {
  WriteTestFile(library + "\\E100\\NOTES.TXT", "kept");
  Add(driver, "E100");
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_EQ(ReadTestFile(library + "\\E100\\NOTES.TXT"), "kept");
  EXPECT_EQ(ReadTestFile(library + "\\E100\\E100B.INI"), kProtocolText);
  ExpectRowsPaired();
}

TEST_F(AddCardTest, ADoubleByteCardNameWithABackslashTrailByte) {
  const std::string card = "\x9C\x5C";
  Add(driver, card);
  EXPECT_TRUE(view.boxes.empty());
  EXPECT_TRUE(Exists(library + "\\" + card + "\\E100B.INI"));
  EXPECT_EQ(Last().driverPath, library + "\\" + card + "\\E100B.DOS");
  EXPECT_EQ(cp936::FileNameOf(cp936::FolderOf(Last().driverPath)), card);
}

TEST_F(AddCardTest, ACancelledDialogChangesNothing) {
  const State before = Now();
  AddCard(view, &list, program);
  EXPECT_EQ(view.dialogsRun, 1);
  EXPECT_TRUE(Now() == before);
  EXPECT_TRUE(view.boxes.empty());
}

// --- Names ---------------------------------------------------------------------

TEST_F(AddCardTest, AnExistingCardsNameIsADuplicateInAnyLetterCase) {
  Show(LayOutCard("E100", "E100B.DOS"));
  const Snapshot libraryBefore = TakeSnapshot(library);
  for (const char* name : {"E100", "e100", " E100", "E100"}) {
    const State before = Now();
    Add(driver, name);
    ExpectRefused(before, name);
  }
  Add(driver, "E100");
  EXPECT_EQ(view.BoxTexts(), (std::vector<std::string>{"要添加的网卡已经存在!"}));
  EXPECT_EQ(TakeSnapshot(library), libraryBefore);
}

TEST_F(AddCardTest, ANameThatIsNotOneFolderNameIsRefusedWithNothingWritten) {
  Show(LayOutCard("RTL", "RTL.DOS"));
  for (const char* name : {"..\\..\\Windows", "..\\RTL", "C:\\x", "a/b", "CON", "nul.txt", "LPT1", "E100.", "E100 ",
                           ".", "..", "   ", "a*b", "a:b", "a\tb", "E100\x81", "\x81/x"}) {
    const State before = Now();
    Add(driver, name);
    EXPECT_EQ(view.boxes.size() == 1 ? view.boxes[0].text : "", CheckCardName(text::TrimLeft(name))) << name;
    ExpectRefused(before, name);
  }
  EXPECT_FALSE(Exists(library + "\\..\\..\\Windows"));
  EXPECT_FALSE(Exists(program + "\\Windows"));
  EXPECT_FALSE(Exists(program + "\\x"));
}

// --- Driver paths ----------------------------------------------------------------

TEST_F(AddCardTest, OtherSpellingsOfAnAbsolutePathAreUsedInTheirFullForm) {
  const std::string forward = cp936::ReplaceSeparators(driver, '\\', '/');
  const std::string doubled = packages.path() + "\\\\E100B\\\\DOS\\E100B.DOS";
  const std::string dotted = package + "\\..\\DOS\\.\\X\\..\\E100B.DOS";
  const std::string trailing = driver + " \t";
  int n = 0;
  for (const std::string& path : {forward, doubled, dotted, trailing}) {
    const std::string card = "E" + std::to_string(++n);
    Add(path, card);
    EXPECT_TRUE(view.boxes.empty()) << path << ": " << (view.boxes.empty() ? "" : view.boxes[0].text);
    view.boxes.clear();
    EXPECT_EQ(Last().driverPath, library + "\\" + card + "\\E100B.DOS") << path;
    EXPECT_EQ(ListTree(library + "\\" + card).size(), 7u) << path;
    EXPECT_EQ(ReadTestFile(library + "\\" + card + "\\E100B.INI"), kProtocolText) << path;
    EXPECT_EQ(TakeSnapshot(packages.path()), packageBefore) << path;
  }
  ExpectRowsPaired();
}

TEST_F(AddCardTest, PathsThatAreNotAnExistingDriverFileAreRefused) {
  WriteTestFile(package + "\\NODOT", "no extension");
  packageBefore = TakeSnapshot(packages.path());
  const std::string current = port::CurrentFolder();
  ASSERT_TRUE(port::SetCurrentFolder(package));
  std::vector<std::string> refused = {
      "E100B.DOS",                // no folder: relative to the current folder
      "..\\DOS\\E100B.DOS",       // relative
      ".\\E100B.DOS",             // relative
      " " + driver,               // a leading blank is part of the path
      package + "\\MISSING.DOS",  // no such file
      package,                    // a folder
      package + "\\",             // a folder
      package + "\\NODOT",        // no dot: no driver name
      "\\\\.\\NUL",               // a device
      "\\\\?\\" + driver,         // the device namespace
  };
  // Without its drive a path is relative to the current drive.
  if (driver.size() > 2 && driver[1] == ':') refused.push_back(driver.substr(2));
  for (const std::string& path : refused) {
    const State before = Now();
    Add(path, "E100");
    ExpectRefused(before, path);
  }
  port::SetCurrentFolder(current);
}

TEST_F(AddCardTest, ASourceHoldingTheProgramOrTheLibraryIsRefused) {
  Show(LayOutCard("RTL", "RTL.DOS"));
  const std::string inProgram = program + "\\LOOSE.DOS";
  const std::string inLibrary = library + "\\LOOSE.DOS";
  WriteTestFile(inProgram, "loose");
  WriteTestFile(inLibrary, "loose");
  for (const std::string& path : {inProgram, inLibrary}) {
    const State before = Now();
    Add(path, "Loose");
    ExpectRefused(before, path);
  }

  // The program folder below the package: the package's folder holds it.
  const std::string programInPackage = package + "\\prog";
  MakeTestFolders(programInPackage);
  packageBefore = TakeSnapshot(packages.path());
  const State before = Now();
  view.AnswerDriver(driver, "E100");
  AddCard(view, &list, programInPackage);
  ExpectRefused(before, "program folder inside the package");
}

TEST_F(AddCardTest, ACardFolderInsideTheLibraryMayComeFromAnotherCardsFolder) {
  const std::string rtl = LayOutCard("RTL", "RTL.DOS");
  Show(rtl);
  Add(rtl, "RTL2");
  EXPECT_TRUE(view.boxes.empty()) << view.BoxTexts().front();
  EXPECT_EQ(ListTree(library + "\\RTL2"), (std::vector<std::string>{"RTL.DOS", "RTL.INI"}));
  ExpectRowsPaired();
}

// --- Failures part-way -------------------------------------------------------------

TEST_F(AddCardTest, AFailedCopyLeavesNoCard) {
  {
    const auto lock = port::LockFile(package + "\\X\\README.TXT");
    ASSERT_NE(lock, nullptr);
    const State before = Now();
    Add(driver, "E100");
    EXPECT_TRUE(Now() == before);  // no driver folder, no card folder, no row, no entry
    EXPECT_FALSE(Exists(library));
    ASSERT_FALSE(view.boxes.empty());
    EXPECT_EQ(Headline(view.boxes[0].text), "文件拷贝失败！");
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kAppMessage);
  }
  EXPECT_EQ(TakeSnapshot(packages.path()), packageBefore);

  // With cards listed: the library and its cards stay, the new folder goes.
  Show(LayOutCard("RTL", "RTL.DOS"));
  view.boxes.clear();
  const auto lock = port::LockFile(package + "\\X\\Y\\DEEP.TXT");
  const State before = Now();
  Add(driver, "E100");
  EXPECT_TRUE(Now() == before);
  EXPECT_FALSE(Exists(library + "\\E100"));
  EXPECT_FALSE(view.boxes.empty());
  ExpectRowsPaired();
}

TEST_F(AddCardTest, AFailedRenameIsReportedAndAddsNoRow) {
  Show(LayOutCard("RTL", "RTL.DOS"));
  // A folder of the card's name that is no card, holding a card INI that
  // another program keeps open.
  WriteTestFile(library + "\\E100\\E100B.INI", "held open");
  const auto lock = port::LockFile(library + "\\E100\\E100B.INI");
  ASSERT_NE(lock, nullptr);
  Add(driver, "E100");
  ExpectRowsPaired();
  EXPECT_EQ(view.rows, (std::vector<std::string>{"RTL"}));
  EXPECT_EQ(list.Count(), 1);
  ASSERT_FALSE(view.boxes.empty());
  const ShownBox& report = view.boxes.back();
  EXPECT_EQ(report.kind, ShownBox::kFileError);
  EXPECT_NE(report.text.find("PROTOCOL.INI"), std::string::npos) << report.text;
  EXPECT_NE(report.text.find("E100B.INI"), std::string::npos) << report.text;
  // The folder was there before this add: it stays, and so does its file.
  EXPECT_TRUE(IsFolder(library + "\\E100"));
  EXPECT_EQ(TakeSnapshot(packages.path()), packageBefore);
}

TEST_F(AddCardTest, ACardFolderThatCannotBeMadeIsReported) {
  WriteTestFile(library, "a file where the library should be");
  const State before = Now();
  Add(driver, "E100");
  EXPECT_TRUE(Now() == before);
  EXPECT_EQ(ReadTestFile(library), "a file where the library should be");
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].kind, ShownBox::kAppMessage);
  EXPECT_EQ(view.boxes[0].text.rfind("无法创建网卡文件夹", 0), 0u) << view.boxes[0].text;
}

// --- Links ---------------------------------------------------------------------------

TEST_F(AddCardTest, ACardFolderThatIsALinkIsRefusedAndNothingIsWrittenThroughIt) {
  Show(LayOutCard("RTL", "RTL.DOS"));
  const std::string elsewhere = temp / "elsewhere";
  MakeTestFolders(elsewhere);
  const struct {
    const char* name;
    std::string leadsTo;
  } cases[] = {
      {"OUTSIDE", elsewhere},          // out of the library
      {"ALIAS", library + "\\RTL"},    // another card's folder
      {"LIBRARY", library},            // the library itself
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    if (!MakeFolderLink(c.leadsTo, library + "\\" + c.name)) GTEST_SKIP() << "links cannot be made here";
    const State before = Now();
    const std::vector<std::string> linkedBefore = ListTree(c.leadsTo);
    Add(driver, c.name);
    EXPECT_EQ(ListTree(c.leadsTo), linkedBefore);
    ExpectRefused(before, c.name);
    RemoveLink(library + "\\" + c.name);
  }
}

TEST_F(AddCardTest, APackageLinkIntoTheLibraryOrItselfIsNotFollowedAndAddsNoCard) {
  Show(LayOutCard("RTL", "RTL.DOS"));
  const struct {
    const char* link;  // in the package
    std::string leadsTo;
  } cases[] = {
      {"LIB", library},
      {"X\\RTL", library + "\\RTL"},
      {"X\\Y\\UP", package},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.link);
    const std::string link = package + "\\" + c.link;
    if (!MakeFolderLink(c.leadsTo, link)) GTEST_SKIP() << "links cannot be made here";
    view.boxes.clear();
    const State before = Now();
    Add(driver, "E100");
    EXPECT_TRUE(Now() == before);
    EXPECT_FALSE(Exists(library + "\\E100"));
    ASSERT_FALSE(view.boxes.empty());
    EXPECT_EQ(view.boxes[0].kind, ShownBox::kAppMessage);
    EXPECT_NE(view.boxes[0].text.find(link), std::string::npos) << view.boxes[0].text;
    RemoveLink(link);
  }
  EXPECT_EQ(TakeSnapshot(packages.path()), packageBefore);
}

}  // namespace
