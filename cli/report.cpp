#include "cli/report.h"

#include "cli/console.h"
#include "cli/exit_status.h"
#include "cli/shown_text.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

std::string ProgramName() { return cp936::FileNameOf(port::ModuleFileName()); }

void WriteLine(const std::string& text) { console::Write(console::Stream::kOut, text + "\n"); }

void WriteError(const std::string& text) { console::Write(console::Stream::kErr, ProgramName() + ": " + text + "\n"); }

int ReportOutcome(const Outcome& outcome, const std::vector<std::string>& given, bool saysSuccess) {
  bool cancelled = false;
  for (const Notice& notice : outcome.notices) {
    const std::string text = ShownText(notice.text, given);
    if (notice.kind == Notice::Kind::kSuccess) {
      WriteLine(text);
    } else {
      WriteError(text);
    }
    cancelled = cancelled || notice.kind == Notice::Kind::kCancelled;
  }
  if (cancelled) return kExitInterrupted;
  if (outcome.HasTrouble() || (saysSuccess && !outcome.succeeded)) return kExitFailure;
  return kExitSuccess;
}
