// Names between code page 936 and the UTF-8 a POSIX disk holds: every name
// the disk can hold comes back to the same entry, and the program's own
// names land on the disk as UTF-8.
#include "port/posix/native_text.h"

#include <fcntl.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <vector>

#include "port/file_system.h"
#include "support/temp_folder.h"

namespace {

struct Row {
  const char* what;
  std::string program;  // code page 936
  std::string native;   // as the disk holds it
};
void PrintTo(const Row& row, std::ostream* out) { *out << row.what; }

class NativeTextTest : public ::testing::TestWithParam<Row> {};

TEST_P(NativeTextTest, ConvertsBothWays) {
  EXPECT_EQ(port::NativeText(GetParam().program), GetParam().native);
  EXPECT_EQ(port::ProgramText(GetParam().native), GetParam().program);
}

TEST_P(NativeTextTest, NamesTheEntryOnDisk) {
  TempFolder temp;
  const std::string native = port::NativePath(temp.path()) + "/" + GetParam().native;
  const int fd = open(native.c_str(), O_CREAT | O_WRONLY, 0644);
  ASSERT_GE(fd, 0);
  close(fd);
  std::vector<port::FoundEntry> entries;
  ASSERT_TRUE(port::FindFiles(temp / "*", &entries));
  std::vector<std::string> names;
  for (const port::FoundEntry& entry : entries) {
    if (!entry.IsDots()) names.push_back(entry.name);
  }
  EXPECT_EQ(names, std::vector<std::string>{GetParam().program});
  EXPECT_TRUE(Exists(temp / GetParam().program));
  EXPECT_TRUE(port::RemoveFile(temp / GetParam().program));
}

INSTANTIATE_TEST_SUITE_P(
    Names, NativeTextTest,
    ::testing::Values(Row{"Ascii", "E100B.DOS", "E100B.DOS"},
                      // 淺's trail byte is a backslash; 咲's an upper-case D.
                      Row{"TrailBackslash", "\x9C\x5C.INF", "\xE6\xB7\xBA.INF"},
                      Row{"TrailLetter", "\x86\x44", "\xE5\x92\xB2"},
                      Row{"Chinese", "网卡", "\xE7\xBD\x91\xE5\x8D\xA1"},
                      Row{"Euro", "\x80", "\xE2\x82\xAC"},
                      // Kept as 0xFF and hexadecimal digits: a Latin-1 byte, an emoji code page 936
                      // lacks, a backslash a POSIX name may hold.
                      Row{"NoUtf8", "caf\xFF" "E9", "caf\xE9"},
                      Row{"NotInCodePage936", "\xFF" "F0\xFF" "9F\xFF" "98\xFF" "80!", "\xF0\x9F\x98\x80!"},
                      Row{"Backslash", "a\xFF" "5Cb", "a\\b"}),
    [](const auto& row) { return std::string(row.param.what); });

}  // namespace
