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

const char kCaption[] = "添加错误";

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
// that came with the package. False, with the file error shown, when that
// cannot be done.
bool RenameProtocolFile(MainView& view, const std::string& cardFolder, const std::string& driverFileName) {
  const std::string protocol = FileNamedIn(cardFolder, "PROTOCOL.INI");
  if (protocol.empty()) return true;
  const std::string cardIni = CardIniOf(cardFolder + driverFileName);
  // A driver named PROTOCOL.DOS: its INI already bears the name.
  if (SameEntryName(protocol, cardIni)) return true;
  bool renamed = true;
  if (port::GetAttributes(cardIni) != port::kInvalidAttributes) {
    Messages messages;
    renamed = DeleteTree(cardIni, &messages);
    view.ShowAppMessages(messages);
  }
  if (renamed) renamed = port::MoveEntry(protocol, cardIni);
  if (renamed) return true;
  view.ShowFileError("无法把文件" + protocol + "更名为" + cp936::FileNameOf(cardIni) + "：" + port::LastErrorText() +
                     "\n网卡没有添加。");
  return false;
}

}  // namespace

void AddCard(MainView& view, NicList* nicList, const std::string& programFolder) {
  std::string typedPath, typedName;
  if (!view.AskDriver(&typedPath, &typedName)) return;
  const std::string cardName = text::TrimLeft(typedName);
  const std::string driverPathTyped = text::TrimRight(typedPath);

  const std::string nameRefusal = CheckCardName(cardName);
  if (!nameRefusal.empty()) {
    view.ShowMessage(nameRefusal, kCaption);
    return;
  }
  if (FindCardNamed(*nicList, cardName) != nullptr) {
    view.ShowMessage("要添加的网卡已经存在!", kCaption);
    return;
  }
  std::string pathRefusal;
  const std::string driverPath = CheckedDriverPath(driverPathTyped, &pathRefusal);
  if (driverPath.empty()) {
    view.ShowMessage(pathRefusal, kCaption);
    return;
  }
  const std::string sourceFolder = cp936::FolderWithBackslashOf(driverPath);
  const std::string driverFileName = cp936::FileNameOf(driverPath);
  const std::string library = LibraryFolderOf(programFolder);
  if (IsSameOrInside(programFolder, sourceFolder) || IsSameOrInside(library, sourceFolder)) {
    view.ShowMessage("驱动程序所在的文件夹\n" + sourceFolder +
                         "\n包含本程序所在的文件夹或驱动程序库，复制它会把网卡文件夹复制到它自身中。"
                         "请把驱动程序包放到其他文件夹中再添加。",
                     kCaption);
    return;
  }

  // A card folder that is a link, or that lies elsewhere once links are
  // followed (the library's own folder a link to it included), would take
  // the copy outside the card: refused, as delete and rename refuse.
  const std::string cardFolder = library + cardName + "\\";
  const std::string cardFolderItself = library + cardName;
  if (port::IsLink(cardFolderItself) || !IsStrictlyInside(cardFolderItself, library)) {
    view.ShowMessage("网卡文件夹" + cardFolderItself + "是指向其他位置的链接，或不在驱动程序库" + library +
                         "中，为安全起见没有添加网卡。",
                     kCaption);
    return;
  }

  const bool createdLibrary = port::CreateFolder(library);
  const bool createdCardFolder = port::CreateFolder(cardFolder);
  const std::string createError = createdCardFolder ? std::string() : port::LastErrorText();
  auto rollBack = [&] {
    Messages messages;
    if (createdCardFolder) DeleteTree(cardFolderItself, &messages);
    if (createdLibrary) port::RemoveFolder(library);
    view.ShowAppMessages(messages);
  };
  if (!port::IsFolder(cardFolder)) {
    view.ShowAppMessage("无法创建网卡文件夹" + cardFolderItself + "：" + createError);
    rollBack();
    return;
  }
  Messages copyMessages;
  const bool copied = CopyTree(sourceFolder, cardFolder, &copyMessages, {library});
  view.ShowAppMessages(copyMessages);
  if (!copied || !RenameProtocolFile(view, cardFolder, driverFileName)) {
    rollBack();
    return;
  }

  const int row = view.RowCount();
  view.InsertRow(row, cardName);
  view.FocusList();
  nicList->Append({row, cardName, cardFolder + driverFileName});
}
