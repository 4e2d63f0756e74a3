#include "bootdisk/image_output.h"

#include "files/path_location.h"
#include "files/replacing_file.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

bool WriteBuiltImage(const std::string& imagePath, const std::string& bytes, const std::string& what,
                     Progress& progress, std::uint64_t step, std::uint64_t steps, Messages* failures) {
  // What a link leads to is not the user's target: nothing is written
  // through it, and it is not replaced.
  if (port::IsLink(imagePath)) {
    failures->push_back(imagePath + "是一个链接（指向" + port::ResolvedPath(imagePath) +
                        "），为安全起见没有替换它，也没有通过它写入，" + what + "没有创建！");
    return false;
  }
  ReplacingFile file(imagePath);
  if (!progress.Step("正在写入" + imagePath, step, steps)) return false;
  if (!file.Write(bytes)) {
    failures->push_back("无法在" + ShownPath(cp936::FolderOf(imagePath)) + "中写入" + what +
                        "（文件夹不存在、只读或空间不够），" + what + "没有创建！");
    return false;
  }
  if (!progress.Step("正在写入" + imagePath, step + 1, steps)) return false;
  if (!file.Replace()) {
    failures->push_back("无法替换" + imagePath + "（它可能是只读的、是文件夹或正被其他程序使用），原来的文件保持不变！");
    return false;
  }
  return true;
}
