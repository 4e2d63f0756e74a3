// Outcomes as the main window shows them: each notice in the message box it
// has always been shown in, with the captions written once, here.
#pragma once

#include <string>

#include "window/message_boxes.h"
#include "work/outcome.h"

namespace caption {
inline const char kBuildRefused[] = "创建错误";
inline const char kBuilt[] = "创建成功";
inline const char kBuildCancelled[] = "创建取消";
inline const char kAddRefused[] = "添加错误";
inline const char kDeleteRefused[] = "删除错误";
inline const char kRenameRefused[] = "修改错误";
}  // namespace caption

// Shows every notice of `outcome`, in order: a success in the window's own
// box with caption "创建成功" (only builds report one), a refusal there with
// `refusalCaption`, a cancel there with "创建取消", a failure in the
// application's box, a file error in the framework's stop box.
void ShowOutcome(MessageBoxes& boxes, const Outcome& outcome, const std::string& refusalCaption);
