#include "text/cp936_path.h"

#include <gtest/gtest.h>

#include "text/white_space.h"

namespace {

// 淺 is 0x9C 0x5C in code page 936: its trail byte is a backslash.
const std::string kShallow = "\x9C\x5C";
// 表 is 0xB1 0xED; 嗌 is 0x86 0x44 (its trail byte is an upper-case 'D').
const std::string kUpperDTrail = "\x86\x44";

TEST(Cp936Path, SplitsAtTheLastRealBackslash) {
  const std::string folder = "C:\\" + kShallow + "\\T" + kShallow;
  const std::string path = folder + "\\Tovrell.exe";
  EXPECT_EQ(cp936::LastBackslash(path), folder.size());
  EXPECT_EQ(cp936::FolderOf(path), folder);
  EXPECT_EQ(cp936::FileNameOf(path), "Tovrell.exe");
  EXPECT_EQ(cp936::FolderWithBackslashOf(path), folder + "\\");
}

TEST(Cp936Path, NeverCutsADoubleByteCharacterInHalf) {
  // A folder name ending in 淺: a byte search would find its trail byte.
  const std::string path = "C:\\drv\\" + kShallow;
  EXPECT_EQ(cp936::FolderOf(path), "C:\\drv");
  EXPECT_EQ(cp936::FileNameOf(path), kShallow);
  EXPECT_FALSE(cp936::EndsWithBackslash(path));
  EXPECT_TRUE(cp936::EndsWithBackslash(path + "\\"));
  // No backslash at all, only the trail byte.
  EXPECT_EQ(cp936::LastBackslash(kShallow), cp936::npos);
  EXPECT_EQ(cp936::FolderOf(kShallow + ".dos"), kShallow + ".dos");
  EXPECT_EQ(cp936::FolderWithBackslashOf(kShallow), "");
}

TEST(Cp936Path, BaseNameIsBetweenTheLastBackslashAndTheLastDot) {
  EXPECT_EQ(cp936::BaseNameOf("C:\\T\\driver\\E100\\E100B.DOS"), "E100B");
  EXPECT_EQ(cp936::BaseNameOf("C:\\a.b\\NODOT"), "NODOT");
  EXPECT_EQ(cp936::BaseNameOf("C:\\x\\A.B.DOS"), "A.B");
  EXPECT_EQ(cp936::BaseNameOf("C:\\x\\" + kShallow + ".dos"), kShallow);
  EXPECT_EQ(cp936::BaseNameOf("C:\\x\\.dos"), "");
}

TEST(Cp936Path, ReplacingSeparatorsLeavesTrailBytesAlone) {
  const std::string path = "\\tmp\\" + kShallow + "\\a";
  EXPECT_EQ(cp936::ReplaceSeparators(path, '\\', '/'), "/tmp/" + kShallow + "/a");
  EXPECT_EQ(cp936::ReplaceSeparators("/tmp/" + kShallow + "/a", '/', '\\'), path);
}

TEST(Cp936Path, LetterCaseIsFoldedOnlyOutsideDoubleByteCharacters) {
  EXPECT_EQ(cp936::UpperAscii("e100b.dos"), "E100B.DOS");
  // 0x86 0x64 and 0x86 0x44 are two different characters.
  EXPECT_FALSE(cp936::EqualIgnoringCase("\x86\x64", kUpperDTrail));
  EXPECT_TRUE(cp936::EqualIgnoringCase("Rtl8139", "RTL8139"));
  EXPECT_TRUE(cp936::EndsWithIgnoringCase("A.Dos", ".DOS"));
  EXPECT_FALSE(cp936::EndsWithIgnoringCase("dos", ".dos"));
}

TEST(Cp936Path, WholeTextHasATrailByteAfterEveryLeadByte) {
  for (const std::string& text : {std::string(), std::string("E100"), kShallow, kShallow + "\\", kUpperDTrail,
                                  std::string("\x81\x40\xFE\xFE\x80\xFF")}) {
    EXPECT_TRUE(cp936::IsWholeText(text)) << testing::PrintToString(text);
  }
  for (const std::string& text : {std::string("\x81"), "E100" + kShallow + "\x9C", std::string("\x81\x3F"),
                                  std::string("\x81\x7F"), std::string("\x81\xFF"), std::string("\x81/")}) {
    EXPECT_FALSE(cp936::IsWholeText(text)) << testing::PrintToString(text);
  }
  // The walks take a lead byte and the byte after it as one character, as
  // Windows does, whatever that byte is; a lead byte at the end stands alone.
  EXPECT_EQ(cp936::FindFirst("\x81/x", '/'), cp936::npos);
  EXPECT_EQ(cp936::FolderOf("C:\\d\\x\x81"), "C:\\d");
}

TEST(WhiteSpace, TrimsTheSixWhiteSpaceCharactersOnly) {
  EXPECT_EQ(text::Trim(" \t\n\v\f\rE100 \r\n"), "E100");
  EXPECT_EQ(text::TrimLeft("  E100  "), "E100  ");
  EXPECT_EQ(text::TrimRight("  E100  "), "  E100");
  // A full-width space (0xA1 0xA1) is not white space.
  EXPECT_EQ(text::Trim("\xA1\xA1x"), "\xA1\xA1x");
}

}  // namespace
