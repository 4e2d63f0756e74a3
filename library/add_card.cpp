#include "library/add_card.h"

#include <vector>

#include "files/copy_tree.h"
#include "files/delete_tree.h"
#include "files/folder_walk.h"
#include "files/path_location.h"
#include "library/card_name_check.h"
#include "library/program_folder.h"
#include "port/file_system.h"
#include "text/cp936_path.h"
#include "text/path_form.h"
#include "text/white_space.h"

namespace {

// The typed driver path in its full form, or "" with `refusal` set. Only an
// absolute path is taken: one that names the same root once made full (a
// drive root, a share, or the root of a POSIX file system), so that neither
// the current folder (which the add-driver dialog changes) nor the current
// drive decides which file is meant.
std::string CheckedDriverPath(const std::string& typed, std::string* refusal) {
  const std::string written = cp936::ReplaceSeparators(typed, '/', '\\');
  if (pathform::IsLongForm(written) || pathform::IsDevicePath(written)) {
    *refusal = "驱动程序路径不能是设备路径：\n" + typed;
    return std::string();
  }
  const std::string full = port::FullPath(typed);
  const std::string root = written.substr(0, pathform::RootLength(written));
  if (root.empty() || pathform::IsBareDrive(root) || !cp936::EqualIgnoringCase(full.substr(0, root.size()), root)) {
    *refusal = "请输入驱动程序文件的完整路径（如 C:\\drivers\\E100B.DOS），或从查找结果中选择驱动程序：\n" + typed;
    return std::string();
  }
  const std::uint32_t attributes = port::GetAttributes(full);
  if (attributes == port::kInvalidAttributes) {
    *refusal = "找不到驱动程序文件：\n" + full;
    return std::string();
  }
  if ((attributes & port::kAttrDirectory) != 0) {
    *refusal = "这是一个文件夹，不是驱动程序文件：\n" + full;
    return std::string();
  }
  if (cp936::FindLast(cp936::FileNameOf(full), '.') == cp936::npos) {
    *refusal = "驱动程序文件名没有扩展名，无法确定驱动程序的名称：\n" + full;
    return std::string();
  }
  return full;
}

// Gives the copied PROTOCOL.INI the card INI's name, replacing a card INI
// that came with the package. False, with the file error noted, when that
// cannot be done.
bool RenameProtocolFile(Outcome* outcome, const std::string& cardFolder, const std::string& driverFileName) {
  const std::string protocol = FileNamedIn(cardFolder, "PROTOCOL.INI");
  if (protocol.empty()) return true;
  const std::string cardIni = CardIniOf(cardFolder + driverFileName);
  // A driver named PROTOCOL.DOS: its INI already bears the name.
  if (SameEntryName(protocol, cardIni)) return true;
  bool renamed = true;
  if (port::GetAttributes(cardIni) != port::kInvalidAttributes) {
    Messages messages;
    renamed = DeleteTree(cardIni, &messages);
    outcome->FailAll(messages);
  }
  if (renamed) renamed = port::MoveEntry(protocol, cardIni);
  if (renamed) return true;
  outcome->FileError("无法把文件" + protocol + "更名为" + cp936::FileNameOf(cardIni) + "：" + port::LastErrorText() +
                     "\n网卡没有添加。");
  return false;
}

}  // namespace

AddCardOutcome AddCardToLibrary(const std::string& programFolder, const CardList& cards,
                                const std::string& typedPath, const std::string& typedName) {
  AddCardOutcome outcome;
  const std::string cardName = text::TrimLeft(typedName);
  const std::string driverPathTyped = text::TrimRight(typedPath);

  const std::string nameRefusal = CheckCardName(cardName);
  if (!nameRefusal.empty()) {
    outcome.Refuse(nameRefusal);
    return outcome;
  }
  if (FindCardNamed(cards, cardName) != nullptr) {
    outcome.Refuse("要添加的网卡已经存在!");
    return outcome;
  }
  std::string pathRefusal;
  const std::string driverPath = CheckedDriverPath(driverPathTyped, &pathRefusal);
  if (driverPath.empty()) {
    outcome.Refuse(pathRefusal);
    return outcome;
  }
  const std::string sourceFolder = cp936::FolderWithBackslashOf(driverPath);
  const std::string driverFileName = cp936::FileNameOf(driverPath);
  const std::string library = LibraryFolderOf(programFolder);
  if (IsSameOrInside(programFolder, sourceFolder) || IsSameOrInside(library, sourceFolder)) {
    outcome.Refuse("驱动程序所在的文件夹\n" + sourceFolder +
                   "\n包含本程序所在的文件夹或驱动程序库，复制它会把网卡文件夹复制到它自身中。"
                   "请把驱动程序包放到其他文件夹中再添加。");
    return outcome;
  }

  // A card folder that is a link, or that lies elsewhere once links are
  // followed (the library's own folder a link to it included), would take
  // the copy outside the card: refused, as delete and rename refuse.
  const std::string cardFolder = library + cardName + "\\";
  const std::string cardFolderItself = library + cardName;
  if (port::IsLink(cardFolderItself) || !IsStrictlyInside(cardFolderItself, library)) {
    outcome.Refuse("网卡文件夹" + cardFolderItself + "是指向其他位置的链接，或不在驱动程序库" + library +
                   "中，为安全起见没有添加网卡。");
    return outcome;
  }

  const bool createdLibrary = port::CreateFolder(library);
  const bool createdCardFolder = port::CreateFolder(cardFolder);
  const std::string createError = createdCardFolder ? std::string() : port::LastErrorText();
  auto rollBack = [&] {
    Messages messages;
    if (createdCardFolder) DeleteTree(cardFolderItself, &messages);
    if (createdLibrary) port::RemoveFolder(library);
    outcome.FailAll(messages);
  };
  if (!port::IsFolder(cardFolder)) {
    outcome.Fail("无法创建网卡文件夹" + cardFolderItself + "：" + createError);
    rollBack();
    return outcome;
  }
  Messages copyMessages;
  const bool copied = CopyTree(sourceFolder, cardFolder, &copyMessages, {library});
  outcome.FailAll(copyMessages);
  if (!copied || !RenameProtocolFile(&outcome, cardFolder, driverFileName)) {
    rollBack();
    return outcome;
  }
  outcome.succeeded = true;
  outcome.cardName = cardName;
  outcome.driverPath = cardFolder + driverFileName;
  return outcome;
}
