#include "window/outcome_boxes.h"

void ShowOutcome(MessageBoxes& boxes, const Outcome& outcome, const std::string& refusalCaption) {
  for (const Notice& notice : outcome.notices) {
    switch (notice.kind) {
      case Notice::Kind::kSuccess:
        boxes.ShowMessage(notice.text, caption::kBuilt);
        break;
      case Notice::Kind::kRefusal:
        boxes.ShowMessage(notice.text, refusalCaption);
        break;
      case Notice::Kind::kCancelled:
        boxes.ShowMessage(notice.text, caption::kBuildCancelled);
        break;
      case Notice::Kind::kFailure:
        boxes.ShowAppMessage(notice.text);
        break;
      case Notice::Kind::kFileError:
        boxes.ShowFileError(notice.text);
        break;
    }
  }
}
