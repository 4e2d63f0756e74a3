#include "support/fake_main_view.h"

#include "work/background_work.h"

std::vector<std::string> FakeMainView::BoxTexts() const {
  std::vector<std::string> texts;
  for (const ShownBox& box : boxes) texts.push_back(box.text);
  return texts;
}

int FakeMainView::RowCount() { return static_cast<int>(rows.size()); }
int FakeMainView::SelectedRow() { return selected; }
bool FakeMainView::IsRowSelected(int row) { return row == selected && row >= 0; }

void FakeMainView::InsertRow(int row, const std::string& text) {
  // As the list view does: an index past the end appends.
  if (row < 0 || row > RowCount()) row = RowCount();
  rows.insert(rows.begin() + row, text);
  if (selected >= row) ++selected;
}

void FakeMainView::SetRowText(int row, const std::string& text) {
  if (row >= 0 && row < RowCount()) rows[static_cast<size_t>(row)] = text;
}

std::string FakeMainView::RowText(int row) {
  return row >= 0 && row < RowCount() ? rows[static_cast<size_t>(row)] : std::string();
}

void FakeMainView::DeleteRow(int row) {
  if (row < 0 || row >= RowCount()) return;
  rows.erase(rows.begin() + row);
  if (selected == row) {
    selected = -1;
  } else if (selected > row) {
    --selected;
  }
}

void FakeMainView::DeleteAllRows() {
  rows.clear();
  selected = -1;
}

void FakeMainView::SelectRow(int row) { selected = row; }
void FakeMainView::FocusList() { listFocused = true; }
void FakeMainView::ShowDriverName(const std::string& name) { driverName = name; }
void FakeMainView::ShowProtocolText(const std::string& text) { protocolText = text; }
void FakeMainView::EnableBuildButtons(bool enable) { buildButtonsEnabled = enable; }

bool FakeMainView::AskTargetPath(std::string* targetPath) {
  ++dialogsRun;
  if (targetPathAnswers.empty()) return false;
  auto answer = targetPathAnswers.front();
  targetPathAnswers.pop_front();
  if (answer.first) *targetPath = answer.second;
  return answer.first;
}

bool FakeMainView::AskNewName(std::string* newName) {
  ++dialogsRun;
  if (newNameAnswers.empty()) return false;
  auto answer = newNameAnswers.front();
  newNameAnswers.pop_front();
  if (answer.first) *newName = answer.second;
  return answer.first;
}

bool FakeMainView::AskDriver(std::string* driverPath, std::string* cardName) {
  ++dialogsRun;
  if (driverAnswers.empty()) return false;
  DriverAnswer answer = driverAnswers.front();
  driverAnswers.pop_front();
  if (answer.ok) {
    *driverPath = answer.path;
    *cardName = answer.name;
  }
  return answer.ok;
}

void FakeMainView::ShowMessage(const std::string& text, const std::string& caption) {
  boxes.push_back({ShownBox::kMessage, text, caption});
}
void FakeMainView::ShowAppMessage(const std::string& text) { boxes.push_back({ShownBox::kAppMessage, text, ""}); }
void FakeMainView::ShowFileError(const std::string& text) { boxes.push_back({ShownBox::kFileError, text, ""}); }

namespace {

class RecordingProgress : public Progress {
 public:
  explicit RecordingProgress(FakeMainView* view) : view_(view) {}
  bool Step(const std::string& what, std::uint64_t done, std::uint64_t total) override {
    view_->steps.push_back(what + " " + std::to_string(done) + "/" + std::to_string(total));
    if (view_->onStep) view_->onStep(static_cast<int>(view_->steps.size()));
    cancelled_ = cancelled_ || static_cast<int>(view_->steps.size()) == view_->cancelAtStep;
    return !cancelled_;
  }
  bool cancelled() const { return cancelled_; }

 private:
  FakeMainView* view_;
  bool cancelled_ = false;
};

}  // namespace

bool FakeMainView::RunLongWork(const std::string& title, const std::function<void(Progress&)>& work,
                               std::string* failure) {
  progressTitles.push_back(title);
  steps.clear();
  RecordingProgress progress(this);
  *failure = FailureOf([&] { work(progress); });
  return !progress.cancelled();
}
