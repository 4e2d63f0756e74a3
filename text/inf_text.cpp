#include "text/inf_text.h"

#include "text/cp936_path.h"

namespace text {

std::string InfTextOutsideStrings(std::string_view text) {
  std::string outside;
  outside.reserve(text.size());
  bool quoted = false, comment = false;
  // Where a '\' that may continue the line stands in `outside`, or npos.
  std::size_t continuation = std::string::npos;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\n') {
      // A quoted string ends with its line, as a comment does.
      quoted = comment = false;
      if (continuation == std::string::npos) {
        outside += c;
      } else {
        outside.erase(continuation);
        continuation = std::string::npos;
      }
      continue;
    }
    if (comment || (quoted && c != '"')) continue;
    if (c == '"') {
      // A doubled quote inside a string closes it and opens it again.
      if (!quoted) outside += ' ';
      quoted = !quoted;
      continuation = std::string::npos;
    } else if (c == ';') {
      comment = true;
    } else if (cp936::IsLeadByte(static_cast<unsigned char>(c)) && i + 1 < text.size() && text[i + 1] != '\n') {
      // A trail byte 0x5C is no backslash.
      outside += text.substr(i++, 2);
      continuation = std::string::npos;
    } else {
      if (c == '\\') {
        continuation = outside.size();
      } else if (c != ' ' && c != '\t' && c != '\r') {
        continuation = std::string::npos;
      }
      outside += c;
    }
  }
  return outside;
}

}  // namespace text
