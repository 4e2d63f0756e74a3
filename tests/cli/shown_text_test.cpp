// The core's messages natively: the full paths in them as the user writes
// paths, every other backslash left as the message has it.
#include "cli/shown_text.h"

#include <gtest/gtest.h>

#include "port/file_system.h"
#include "support/temp_folder.h"

namespace {

struct Row {
  const char* what;
  std::string text;   // "{t}": the temporary folder, in the port's form
  std::string shown;  // "{t}": the temporary folder as the user writes it
};
void PrintTo(const Row& row, std::ostream* out) { *out << row.what; }

class ShownTextTest : public ::testing::TestWithParam<Row> {};

std::string With(std::string text, const std::string& folder) {
  for (std::size_t at = text.find("{t}"); at != std::string::npos; at = text.find("{t}")) text.replace(at, 3, folder);
  return text;
}

TEST_P(ShownTextTest, WritesFullPathsAsTheUserDoes) {
  TempFolder temp;
  MakeTestFolders(temp / "lab\\网卡 淺");
  const std::vector<std::string> given = {temp / "new\\netboot"};
  EXPECT_EQ(ShownText(With(GetParam().text, temp.path()), given),
            With(GetParam().shown, port::UserPath(temp.path())));
}

INSTANTIATE_TEST_SUITE_P(
    Messages, ShownTextTest,
    ::testing::Values(
        Row{"TwoPaths", "无法把{t}\\lab\\网卡 淺\\E100B.DOS复制到{t}\\lab\\NET：拒绝访问",
            "无法把{t}/lab/网卡 淺/E100B.DOS复制到{t}/lab/NET：拒绝访问"},
        // A folder that is not there yet, but which the command was given.
        Row{"Given", "目标文件夹{t}\\new\\netboot不存在", "目标文件夹{t}/new/netboot不存在"},
        Row{"InsideAnImage", "启动镜像模板{t}\\lab\\BootDisk.img的NET\\PROTOCOL.INI中没有",
            "启动镜像模板{t}/lab/BootDisk.img的NET\\PROTOCOL.INI中没有"},
        Row{"ImageRoot", "镜像中没有文件夹\\NET", "镜像中没有文件夹\\NET"},
        Row{"Characters", "网卡名称中不能有下列字符：\\ / : * ? \" < > |", "网卡名称中不能有下列字符：\\ / : * ? \" < > |"},
        Row{"TrailingBackslash", "{t}\\lab\\", "{t}/lab/"}),
    [](const auto& row) { return std::string(row.param.what); });

}  // namespace
