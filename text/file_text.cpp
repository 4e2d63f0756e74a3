#include "text/file_text.h"

#include <cstddef>

namespace text {
namespace {

enum class Encoding { kCodePage, kUtf8, kUtf16Little, kUtf16Big };

unsigned char At(std::string_view bytes, std::size_t i) { return static_cast<unsigned char>(bytes[i]); }

// The encoding, and in `*skip` the length of the byte order mark.
Encoding EncodingOf(std::string_view bytes, std::size_t* skip) {
  *skip = 0;
  if (bytes.size() >= 3 && At(bytes, 0) == 0xEF && At(bytes, 1) == 0xBB && At(bytes, 2) == 0xBF) {
    *skip = 3;
    return Encoding::kUtf8;
  }
  if (bytes.size() >= 2 && At(bytes, 0) == 0xFF && At(bytes, 1) == 0xFE) {
    *skip = 2;
    return Encoding::kUtf16Little;
  }
  if (bytes.size() >= 2 && At(bytes, 0) == 0xFE && At(bytes, 1) == 0xFF) {
    *skip = 2;
    return Encoding::kUtf16Big;
  }
  // Code page 936 text holds no NUL; ASCII in UTF-16 holds one in every
  // character, on the same side. A quarter of the file's characters will
  // do, so that Chinese comments and strings do not hide it, and a stray
  // NUL in a code page file does not make it UTF-16.
  std::size_t pairs = 0, highNul = 0, lowNul = 0;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2, ++pairs) {
    if (At(bytes, i) != 0 && At(bytes, i + 1) == 0) ++highNul;
    if (At(bytes, i) == 0 && At(bytes, i + 1) != 0) ++lowNul;
  }
  if (highNul * 4 > pairs && highNul > 4 * lowNul) return Encoding::kUtf16Little;
  if (lowNul * 4 > pairs && lowNul > 4 * highNul) return Encoding::kUtf16Big;
  return Encoding::kCodePage;
}

// A line feed for a lone carriage return; every other character as it is.
void Append(char c, std::string* text) {
  if (!text->empty() && text->back() == '\r' && c != '\n') text->back() = '\n';
  text->push_back(c);
}

}  // namespace

std::string FileText(std::string_view bytes) {
  std::size_t at = 0;
  const Encoding encoding = EncodingOf(bytes, &at);
  std::string text;
  text.reserve(bytes.size());
  if (encoding == Encoding::kCodePage || encoding == Encoding::kUtf8) {
    for (; at < bytes.size(); ++at) {
      const unsigned char byte = At(bytes, at);
      // A UTF-8 character's continuation bytes are 0x80..0xBF; its first
      // byte stands for it.
      if (encoding == Encoding::kCodePage || byte < 0x80) {
        Append(static_cast<char>(byte), &text);
      } else if (byte >= 0xC0) {
        Append('?', &text);
      }
    }
  } else {
    const bool little = encoding == Encoding::kUtf16Little;
    for (; at + 1 < bytes.size(); at += 2) {
      const unsigned unit = little ? At(bytes, at) | At(bytes, at + 1) << 8 : At(bytes, at) << 8 | At(bytes, at + 1);
      // The second half of a surrogate pair: its first half stood for it.
      if (unit >= 0xDC00 && unit <= 0xDFFF) continue;
      Append(unit < 0x80 ? static_cast<char>(unit) : '?', &text);
    }
  }
  if (!text.empty() && text.back() == '\r') text.back() = '\n';
  return text;
}

}  // namespace text
