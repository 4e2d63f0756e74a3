#include "library_fixture.h"

#include <thread>

#include "port/file_system.h"
#include "res/resource.h"
#include "text/cp936_path.h"

void LibraryTest::SetUp() {
  CopyTestTree(ProgramFolder::SampleFolder() + "\\BootDisk", folder.bootDisk());
  WriteTestFile(folder.library() + "\\E100\\E100B.DOS", "E100B placeholder driver");
  WriteTestFile(folder.library() + "\\E100\\E100B.INI", "[E100B_NIF]\r\nDriverName=E100B$\r\n; no final line end");
  WriteTestFile(folder.library() + "\\RTL8139\\RTL8139.DOS", "RTL8139 placeholder driver");
  WriteTestFile(folder.library() + "\\RTL8139\\RTL8139.INI", "[RTL8139]\r\nDriverName=RTL8139$\r\n");
  WriteTestFile(folder.library() + "\\3C90X\\DOS\\EL90X.DOS", "EL90X placeholder driver");
  app = folder.Start();
  ASSERT_TRUE(app->started());
}

int LibraryTest::RowOf(const std::string& card) const {
  const std::vector<std::string> rows = Rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i] == card) return static_cast<int>(i);
  }
  return -1;
}

void LibraryTest::Select(const std::string& card) const {
  const int row = RowOf(card);
  ASSERT_GE(row, 0) << card;
  app->SelectRow(list(), row);
  ASSERT_EQ(RunningApp::SelectedRow(list()), row);
}

void LibraryTest::ExpectRowsPairedWithCards() const {
  const std::vector<std::string> rows = Rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    app->SelectRow(list(), static_cast<int>(i));
    const std::string driver = RunningApp::Text(app->Control(1019));
    std::vector<port::FoundEntry> found;
    bool inFolder = false;
    // The row's folder lies anywhere below the library (a card folder or a
    // sub-folder of one).
    std::vector<std::string> folders = {folder.library()};
    while (!folders.empty() && !inFolder) {
      const std::string current = folders.back();
      folders.pop_back();
      if (!port::FindFiles(current + "\\*.*", &found)) continue;
      for (const port::FoundEntry& entry : found) {
        if (entry.IsDots()) continue;
        if (entry.IsDirectory()) {
          folders.push_back(entry.path);
        } else if (cp936::FileNameOf(current) == rows[i] && entry.name == driver) {
          inFolder = true;
        }
      }
    }
    EXPECT_TRUE(inFolder) << "row " << i << " (" << rows[i] << ") shows " << driver;
  }
  app->SelectRow(list(), -1);
}

HWND AddDriverThroughDialog(const RunningApp& app, const std::string& path, const std::string& name) {
  RunningApp::Click(app.main(), IDC_ADD_CARD);
  HWND dialog = app.WaitForDialog("添加驱动程序");
  if (dialog == nullptr) return nullptr;
  RunningApp::SetText(RunningApp::Control(dialog, IDC_DRIVER_PATH), path);
  RunningApp::SetText(RunningApp::Control(dialog, IDC_CARD_NAME), name);
  RunningApp::Click(dialog, IDC_ADD);
  return dialog;
}

void StartBuild(const RunningApp& app, int button, const std::string& targetPath) {
  RunningApp::Click(app.main(), button);
  AnswerTargetDialog(app, targetPath);
}

void AnswerTargetDialog(const RunningApp& app, const std::string& targetPath) {
  HWND dialog = app.WaitForDialog("创建路径");
  ASSERT_NE(dialog, nullptr);
  RunningApp::SetText(RunningApp::Control(dialog, IDC_TARGET_PATH), targetPath);
  RunningApp::Click(dialog, IDOK);
}

std::string WithFirstLineReplaced(const std::string& text, const std::string& key, const std::string& line) {
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    const size_t next = end == std::string::npos ? text.size() : end + 1;
    size_t textEnd = end == std::string::npos ? text.size() : end;
    if (textEnd > start && text[textEnd - 1] == '\r') --textEnd;
    if (text.substr(start, textEnd - start).find(key) != std::string::npos) {
      return text.substr(0, start) + line + text.substr(textEnd);
    }
    start = next;
  }
  return text;
}
