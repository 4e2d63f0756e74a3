// The progress line: one terminal line, never wider than the terminal.
#include "cli/progress_line.h"

#include <gtest/gtest.h>

namespace {

struct Row {
  const char* what;
  std::string title;
  std::string step;
  std::uint64_t done;
  std::uint64_t total;
  int columns;
  std::string line;  // without the "\r" and the blanks after it
};
void PrintTo(const Row& row, std::ostream* out) { *out << row.what; }

class ProgressLineTest : public ::testing::TestWithParam<Row> {};

TEST_P(ProgressLineTest, FitsTheTerminal) {
  const Row& row = GetParam();
  const std::string line = ProgressLine(row.title, row.step, row.done, row.total, row.columns);
  ASSERT_EQ(line.substr(0, 1), "\r");
  EXPECT_EQ(line.substr(1, row.line.size()), row.line);
  EXPECT_EQ(line.find_first_not_of(' ', 1 + row.line.size()), std::string::npos);
  // Every line covers the same width: one column is left for the cursor.
  std::size_t columns = 0;
  for (std::size_t at = 1; at < line.size(); ++at) {
    const bool doubleByte = static_cast<unsigned char>(line[at]) >= 0x81;
    columns += doubleByte ? 2 : 1;
    at += doubleByte ? 1 : 0;
  }
  EXPECT_EQ(columns, static_cast<std::size_t>(row.columns - 1));
}

INSTANTIATE_TEST_SUITE_P(
    Lines, ProgressLineTest,
    ::testing::Values(Row{"Counts", "正在创建网络启动目录", "正在为RTL8139设置启动镜像", 3, 200, 80,
                          "正在创建网络启动目录 3/200 正在为RTL8139设置启动镜像"},
                      Row{"NoTotal", "", "正在查找", 12, 0, 40, "12 正在查找"},
                      // The step's start goes, whole characters at a time.
                      Row{"Cut", "正在创建U盘目录", "/srv/tftp/网卡/NET/PROTOCOL.INI", 5, 9, 43,
                          "正在创建U盘目录 5/9 ...卡/NET/PROTOCOL.INI"},
                      Row{"CutInHalfACharacter", "T", "网卡网卡网卡网卡网卡网卡", 1, 2, 21, "T 1/2 ...卡网卡网卡"}),
    [](const auto& row) { return std::string(row.param.what); });

}  // namespace
