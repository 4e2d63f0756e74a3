#include "search/browse_for_drivers.h"

#include <utility>

#include "port/file_system.h"

BrowseAnswer WhatBrowsingDoes(bool chosen, const std::string& folder) {
  if (!chosen) return BrowseAnswer::kNothing;
  return folder.empty() ? BrowseAnswer::kClearChoice : BrowseAnswer::kClearAndSearch;
}

DriverSearchRun::DriverSearchRun(std::string folder, FolderListing listing)
    : folder_(std::move(folder)),
      work_([this, listing = std::move(listing)](Progress& progress) {
        rows_ = FindDriverFiles(folder_, listing, &progress);
      }) {}

std::string DriverSearchRun::Status() const {
  return "正在查找，请稍后。。。（已查找" + std::to_string(work_.Latest().done) + "个文件夹）";
}

DriverSearchEnd DriverSearchRun::End() {
  work_.Wait();
  DriverSearchEnd end;
  end.stopped = work_.Cancelled();
  if (end.stopped) {
    end.status = "查找已停止。";
    return end;
  }
  if (!work_.Failure().empty()) {
    end.stopped = true;
    end.status = "查找出错。";
    end.message = "查找驱动程序时出错（" + work_.Failure() + "），没有列出任何驱动程序。";
    return end;
  }
  end.rows = std::move(rows_);
  end.status = "查找完成！";
  if (end.rows.empty()) end.message = "No File(*.dos) Was Found!";
  port::SetCurrentFolder(folder_);
  return end;
}
