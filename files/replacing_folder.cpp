#include "files/replacing_folder.h"

#include <utility>

#include "files/delete_tree.h"
#include "files/path_location.h"
#include "files/replacing_file.h"
#include "port/file_system.h"
#include "text/cp936_path.h"
#include "text/path_form.h"

ReplacingFolder::ReplacingFolder(std::string target, std::string what)
    : target_(pathform::WithoutBackslash(std::move(target))), what_(std::move(what)) {}

std::string ReplacingFolder::OldFolderProblem() const {
  const std::string held = FirstFileHeldOpen(target_);
  if (held.empty()) return std::string();
  return "旧的" + target_ + "中的文件" + held + "正被其他程序使用，无法替换，为安全起见" + what_ +
         "没有创建。请关闭正在使用其中文件的程序，再创建" + what_ + "。";
}

ReplacingFolder::~ReplacingFolder() {
  Messages unused;
  Discard(&unused);
}

bool ReplacingFolder::Create(Messages* messages) {
  const std::string parent = cp936::FolderOf(target_);
  if (!port::IsFolder(pathform::WithBackslash(parent))) {
    const bool exists = port::GetAttributes(parent) != port::kInvalidAttributes;
    messages->push_back((exists ? "目标" + ShownPath(parent) + "不是文件夹，" : "目标文件夹" + ShownPath(parent) + "不存在，") +
                        what_ + "没有创建！");
    return false;
  }
  // A file of the user's bearing the folder's name is not the old folder.
  const std::uint32_t old = port::GetAttributes(target_);
  if (old != port::kInvalidAttributes && (old & port::kAttrDirectory) == 0 && !port::IsLink(target_)) {
    messages->push_back(target_ + "是一个文件，不是文件夹，为安全起见没有替换它，" + what_ + "没有创建！");
    return false;
  }
  const std::string problem = OldFolderProblem();
  if (!problem.empty()) {
    messages->push_back(problem);
    return false;
  }
  const std::string staging = UnusedNameBeside(target_);
  if (!port::CreateFolder(staging)) {
    messages->push_back("无法在" + ShownPath(parent) + "中创建文件夹（" + port::LastErrorText() +
                        "：目标文件夹可能是只读的），" + what_ + "没有创建！");
    return false;
  }
  staging_ = staging;
  return true;
}

std::string ReplacingFolder::path() const { return pathform::WithBackslash(staging_); }

bool ReplacingFolder::Replace(Messages* messages) {
  if (staging_.empty() || replaced_) return replaced_;
  const std::string problem = OldFolderProblem();
  if (!problem.empty()) {
    messages->push_back(problem);
    Discard(messages);
    return false;
  }
  const bool hadOld = port::GetAttributes(target_) != port::kInvalidAttributes;
  const std::string aside = hadOld ? UnusedNameBeside(target_) : std::string();
  if (hadOld && !port::MoveEntry(target_, aside)) {
    messages->push_back("旧的" + target_ + "无法移开（" + port::LastErrorText() +
                        "，可能有程序正在使用它），" + what_ + "没有创建。请关闭正在使用它的程序，再创建" + what_ + "。");
    Discard(messages);
    return false;
  }
  if (!port::MoveEntry(staging_, target_)) {
    const std::string why = port::LastErrorText();
    const bool restored = !hadOld || port::MoveEntry(aside, target_);
    messages->push_back("新的" + what_ + "无法放到" + target_ + "（" + why + "），" + what_ + "没有创建。" +
                        (restored ? std::string() : "原来的现在在" + aside + "中。"));
    Discard(messages);
    return false;
  }
  replaced_ = true;
  if (hadOld) {
    Messages removal;
    if (!DeleteTree(aside, &removal)) {
      messages->insert(messages->end(), removal.begin(), removal.end());
      messages->push_back("新的" + what_ + target_ + "已经放好；旧的移到了" + aside +
                          "，其中有些文件没能删除（见上一条消息），请以后删除它。");
    }
  }
  return true;
}

void ReplacingFolder::Discard(Messages* messages) {
  if (staging_.empty() || replaced_) return;
  DeleteTree(staging_, messages);
  if (port::GetAttributes(staging_) != port::kInvalidAttributes) {
    messages->push_back("创建了一半的" + staging_ + "没能删除（见上一条消息），它不完整，请删除它，不要使用它！");
  }
  staging_.clear();
}
