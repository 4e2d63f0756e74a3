// The main window's builds of boot media: button 1010 "创建NET目录", button
// 1011 "创建U盘" and the context menu's "创建启动镜像..." for the selected
// card, and "创建网络启动目录...", "创建通用U盘..." and "创建通用启动镜像..."
// for every card. Each asks for the target
// in the target-path dialog (template 130; cancel changes nothing), runs
// the build (RunBuild) as long work with a progress window, and shows its
// outcome (refusals with caption "创建错误"; an exception the build let out
// as one failure, NoteFailedBuild); the focus goes back to the list.
#pragma once

#include <string>

#include "library/card_list.h"
#include "window/main_view.h"

void CreateNetDir(MainView& view, const CardList& cards, const std::string& programFolder);
void CreateUsbDisk(MainView& view, const CardList& cards, const std::string& programFolder);
void CreateBootImage(MainView& view, const CardList& cards, const std::string& programFolder);
// The builds of every card: refused before the target is asked for when
// the library has no card.
void CreateNetbootFolder(MainView& view, const CardList& cards, const std::string& programFolder);
void CreateUniversalUsb(MainView& view, const CardList& cards, const std::string& programFolder);
void CreateUniversalImage(MainView& view, const CardList& cards, const std::string& programFolder);
