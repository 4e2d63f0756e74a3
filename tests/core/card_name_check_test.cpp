#include "library/card_name_check.h"

#include <gtest/gtest.h>

#include <string>

namespace {

void ExpectRefused(const std::string& name) {
  EXPECT_FALSE(CheckCardName(name).empty()) << "accepted: [" << name << "]";
}

void ExpectAccepted(const std::string& name) { EXPECT_EQ(CheckCardName(name), "") << "for: [" << name << "]"; }

TEST(CardNameCheck, EmptyAndDotNamesAreRefused) {
  ExpectRefused("");
  ExpectRefused(".");
  ExpectRefused("..");
  EXPECT_NE(CheckCardName(""), CheckCardName("."));  // each says why
}

TEST(CardNameCheck, PathSeparatorsAndForbiddenCharactersAreRefused) {
  for (const char* name : {"..\\..\\Windows", "C:\\x", "a\\b", "a/b", "/x", "C:", "E100:1", "a*", "a?", "a\"b", "<a",
                           "a>", "a|b", "\\", "x\\"}) {
    ExpectRefused(name);
  }
  const std::string message = CheckCardName("a/b");
  EXPECT_EQ(CheckCardName("a|b"), message);
}

TEST(CardNameCheck, ControlCharactersAreRefused) {
  for (const std::string& name : {std::string("a\tb"), std::string("a\nb"), std::string("\x01"), std::string("a\x1F"),
                                  std::string("a\x7F"), std::string("a\0b", 3)}) {
    ExpectRefused(name);
  }
}

TEST(CardNameCheck, ReservedDeviceNamesAreRefusedWithAnyExtensionAndCase) {
  for (const char* name : {"CON", "con", "Prn", "AUX", "NUL", "nul.txt", "CON.INI", "COM1", "com9", "LPT1", "lpt9.dos",
                           "CON .txt", "AUX.a.b"}) {
    ExpectRefused(name);
  }
  for (const char* name : {"COM0", "COM10", "LPT", "CONSOLE", "NULL", "ACON", "PRN1", "AUXILIARY.txt"}) {
    ExpectAccepted(name);
  }
}

TEST(CardNameCheck, ATrailingBlankOrDotIsRefused) {
  // Windows would store the folder without them, under another name than
  // the card shows.
  ExpectRefused("E100 ");
  ExpectRefused("E100.");
  ExpectRefused("E100. .");
}

TEST(CardNameCheck, OrdinaryNamesAreAccepted) {
  for (const char* name : {"E100", "Intel PRO1000", "rtl8139.v2", ".hidden", "a b", "E100(2)", "#1 card", "x..y"}) {
    ExpectAccepted(name);
  }
}

TEST(CardNameCheck, DoubleByteNamesAreAcceptedWhateverTheirTrailBytes) {
  ExpectAccepted("网卡");
  ExpectAccepted("英特尔网卡 E100");
  ExpectAccepted("\x9C\x5C");          // trail byte 0x5C, a backslash alone
  ExpectAccepted("\x9C\x5C\x9C\x5C");  // twice, the name ending in one
  ExpectAccepted("\x81\x7C");          // trail byte 0x7C, a bar alone
  ExpectAccepted(
      "\x81\x7C"
      "E100");
  // A real separator after a double-byte character is still one.
  ExpectRefused("\x9C\x5C\\x");
  ExpectRefused("\x81\x7C|");
}

TEST(CardNameCheck, BrokenDoubleByteCharactersAreRefused) {
  // A lead byte at the end, or one before a byte that cannot end a
  // double-byte character (a separator, a colon, a control character).
  for (const char* name : {"\x81", "E100\x81", "\xB1\xED\xFE", "\x81/x", "\x81:x", "\x81 x", "\x81\x7F",
                           "\x81\xFF", "\x81\x01"}) {
    ExpectRefused(name);
    EXPECT_EQ(CheckCardName(name), CheckCardName("\x81")) << "for: [" << name << "]";
  }
}

TEST(CardNameCheck, FolderNamesAreTheSameButForAsciiLetterCase) {
  EXPECT_TRUE(SameCardFolderName("E100", "E100"));
  EXPECT_TRUE(SameCardFolderName("E100", "e100"));
  EXPECT_TRUE(SameCardFolderName("Intel Pro", "INTEL PRO"));
  EXPECT_FALSE(SameCardFolderName("E100", "E1000"));
  EXPECT_FALSE(SameCardFolderName("E100", "E100 "));
  // 0x81 0x41 and 0x81 0x61 are two different characters: their trail bytes
  // are letters, but not letters to fold.
  EXPECT_FALSE(SameCardFolderName("\x81\x41", "\x81\x61"));
  EXPECT_TRUE(
      SameCardFolderName("\x81\x41"
                         "a",
                         "\x81\x41"
                         "A"));
}

TEST(CardNameCheck, FindCardNamedGivesTheFirstCardOfThatFolderName) {
  CardList list;
  list.Append({0, "RTL", "C:\\T\\driver\\RTL\\RTL.DOS"});
  list.Append({1, "E100", "C:\\T\\driver\\E100\\E100B.DOS"});
  list.Append({2, "e100", "C:\\T\\driver\\e100\\OTHER.DOS"});
  const CardEntry* found = FindCardNamed(list, "E100");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->rowIndex, 1);
  found = FindCardNamed(list, "e100");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(found->rowIndex, 1);
  EXPECT_EQ(FindCardNamed(list, "E1000"), nullptr);
  EXPECT_EQ(FindCardNamed(CardList(), "E100"), nullptr);
}

}  // namespace
