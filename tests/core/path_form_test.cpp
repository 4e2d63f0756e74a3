#include "text/path_form.h"

#include <gtest/gtest.h>

namespace {

// 淺 is 0x9C 0x5C in code page 936: its trail byte is a backslash.
const std::string kShallow = "\x9C\x5C";

TEST(PathForm, TellsTheFormsAPathCanTake) {
  const struct {
    std::string path;
    std::size_t rootLength;
    bool fullyQualified;
  } cases[] = {
      {"E:", 2, false},
      {"E:\\", 3, true},
      {"e:\\driver\\E100", 3, true},
      {"E:driver", 2, false},
      {"\\driver", 1, false},
      {"driver\\E100", 0, false},
      {"", 0, false},
      {"\\\\server\\share", 14, true},
      {"\\\\server\\share\\driver", 15, true},
      {"\\\\?\\E:\\driver", 7, true},
      {"\\\\?\\UNC\\server\\share\\x", 21, true},
      {"\\\\.\\COM1", 4, true},
      {kShallow + "\\x", 0, false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pathform::RootLength(c.path), c.rootLength) << c.path;
    EXPECT_EQ(pathform::IsFullyQualified(c.path), c.fullyQualified) << c.path;
  }
  EXPECT_TRUE(pathform::IsBareDrive("E:"));
  EXPECT_FALSE(pathform::IsBareDrive("E:\\"));
  EXPECT_FALSE(pathform::IsBareDrive("1:"));
  EXPECT_TRUE(pathform::IsDriveRoot("E:\\"));
  EXPECT_FALSE(pathform::IsDriveRoot("E:\\x"));
  EXPECT_TRUE(pathform::IsLongForm("\\\\?\\E:\\x"));
  EXPECT_TRUE(pathform::IsDevicePath("\\\\.\\COM1"));
}

TEST(PathForm, JoinsWithOneSeparator) {
  const struct {
    std::string folder, name, joined;
  } cases[] = {
      {"T:", "NET", "T:\\NET"},
      {"T:\\", "NET", "T:\\NET"},
      {"T:\\media", "NET", "T:\\media\\NET"},
      {"T:\\media\\", "NET", "T:\\media\\NET"},
      {"media", "NET", "media\\NET"},
      {"", "NET", "NET"},
      {"C:\\" + kShallow, "NET", "C:\\" + kShallow + "\\NET"},  // the trail byte is no separator
  };
  for (const auto& c : cases) EXPECT_EQ(pathform::JoinPath(c.folder, c.name), c.joined) << c.folder;
}

TEST(PathForm, AddsAndRemovesTrailingBackslashesButARootKeepsItsOwn) {
  const struct {
    std::string path, with, without;
  } cases[] = {
      {"E:", "E:\\", "E:"},
      {"E:\\", "E:\\", "E:\\"},
      {"E:\\driver\\\\", "E:\\driver\\\\", "E:\\driver"},
      {"E:\\driver", "E:\\driver\\", "E:\\driver"},
      {"\\", "\\", "\\"},
      {"\\\\server\\share\\", "\\\\server\\share\\", "\\\\server\\share\\"},
      {"C:\\" + kShallow, "C:\\" + kShallow + "\\", "C:\\" + kShallow},
      {"", "", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(pathform::WithBackslash(c.path), c.with) << c.path;
    EXPECT_EQ(pathform::WithoutBackslash(c.path), c.without) << c.path;
  }
}

TEST(PathForm, NormalisesSeparatorsAndDotsButKeepsEveryNameExactly) {
  const struct {
    std::string path, normalised;
  } cases[] = {
      {"T:\\\\NET\\NET.EXE", "T:\\NET\\NET.EXE"},
      {"T:/media//NET/", "T:\\media\\NET\\"},
      {"T:\\a\\.\\b\\..\\c", "T:\\a\\c"},
      {"T:\\..\\..\\a", "T:\\a"},
      {"T:\\driver\\E100 \\E100.\\x", "T:\\driver\\E100 \\E100.\\x"},
      {"\\\\server\\share\\\\a\\..\\b", "\\\\server\\share\\b"},
      {"\\\\?\\T:\\a\\..", "\\\\?\\T:\\a\\.."},
      {"C:\\" + kShallow + "\\\\x", "C:\\" + kShallow + "\\x"},
  };
  for (const auto& c : cases) EXPECT_EQ(pathform::Normalised(c.path), c.normalised) << c.path;
}

TEST(PathForm, TakesTheLongFormWhereThePlainFormFailsOrIsTrimmed) {
  const std::string longest(pathform::kLongestPlainPath, 'a');
  const struct {
    std::string path;
    bool needsLongForm;
  } cases[] = {
      {"C:\\driver\\E100\\E100B.DOS", false},
      {"C:\\driver\\E100 \\E100B.DOS", true},
      {"C:\\driver\\E100.", true},
      {"C:\\driver\\.\\E100\\..\\x", false},
      {"C:\\driver\\E100 \\*.*", true},
      {"C:\\" + longest.substr(3), false},
      {"C:\\" + longest.substr(2), true},
      {"\\\\?\\C:\\driver\\E100 ", false},  // already long
      {"C:\\" + kShallow + "\\x", false},
  };
  for (const auto& c : cases) EXPECT_EQ(pathform::NeedsLongForm(c.path), c.needsLongForm) << c.path;

  const struct {
    std::string plain, longForm;
  } forms[] = {
      {"C:\\driver\\E100 ", "\\\\?\\C:\\driver\\E100 "},
      {"\\\\server\\share\\E100.", "\\\\?\\UNC\\server\\share\\E100."},
  };
  for (const auto& f : forms) {
    EXPECT_EQ(pathform::LongFormOf(f.plain), f.longForm);
    EXPECT_EQ(pathform::LongFormOf(f.longForm), f.longForm);
    EXPECT_EQ(pathform::PlainFormOf(f.longForm), f.plain);
    EXPECT_EQ(pathform::PlainFormOf(f.plain), f.plain);
  }
}

}  // namespace
