// How the image code refuses: the reason, in Chinese, into the caller's
// `*problem`, and false for the caller to return, in one statement.
#pragma once

#include <string>
#include <utility>

namespace fat {

inline bool Refuse(std::string* problem, std::string why) {
  *problem = std::move(why);
  return false;
}

}  // namespace fat
