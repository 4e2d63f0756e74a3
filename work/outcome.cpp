#include "work/outcome.h"

#include <utility>

void Outcome::Succeed(std::string text) {
  notices.push_back({Notice::Kind::kSuccess, std::move(text)});
  succeeded = true;
}

void Outcome::Refuse(std::string text) { notices.push_back({Notice::Kind::kRefusal, std::move(text)}); }

void Outcome::Cancel(std::string text) { notices.push_back({Notice::Kind::kCancelled, std::move(text)}); }

void Outcome::Fail(std::string text) { notices.push_back({Notice::Kind::kFailure, std::move(text)}); }

void Outcome::FailAll(const std::vector<std::string>& texts) {
  for (const std::string& text : texts) Fail(text);
}

void Outcome::FileError(std::string text) { notices.push_back({Notice::Kind::kFileError, std::move(text)}); }

bool Outcome::HasTrouble() const {
  for (const Notice& notice : notices) {
    if (notice.kind == Notice::Kind::kRefusal || notice.kind == Notice::Kind::kFailure ||
        notice.kind == Notice::Kind::kFileError) {
      return true;
    }
  }
  return false;
}
