#include "port/posix/native_text.h"

#include <iconv.h>

namespace port {
namespace {

constexpr char kEscape = '\xFF';
const char kHexDigits[] = "0123456789ABCDEF";

bool IsAscii(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80) return false;
  }
  return true;
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// One direction of iconv, opened once per thread (a descriptor keeps state
// and must not be shared between threads), converting one character at a
// time.
class Converter {
 public:
  Converter(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}
  ~Converter() {
    if (IsOpen()) iconv_close(descriptor_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool IsOpen() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }

  // Appends `character` converted to `*out`; false (nothing appended) when
  // it cannot be converted whole.
  bool Convert(std::string_view character, std::string* out) {
    if (!IsOpen()) return false;
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    char buffer[16];
    char* in = const_cast<char*>(character.data());
    std::size_t inLeft = character.size();
    char* converted = buffer;
    std::size_t outLeft = sizeof buffer;
    if (iconv(descriptor_, &in, &inLeft, &converted, &outLeft) == static_cast<std::size_t>(-1) || inLeft != 0 ||
        iconv(descriptor_, nullptr, nullptr, &converted, &outLeft) == static_cast<std::size_t>(-1)) {
      return false;
    }
    out->append(buffer, static_cast<std::size_t>(converted - buffer));
    return true;
  }

 private:
  iconv_t descriptor_;
};

Converter& Utf8FromCp936() {
  thread_local Converter converter("UTF-8", "CP936");
  return converter;
}

Converter& Cp936FromUtf8() {
  thread_local Converter converter("CP936", "UTF-8");
  return converter;
}

// The length of the well-formed UTF-8 character at `at` (no overlong form,
// no surrogate, nothing past U+10FFFF), or 0.
std::size_t Utf8Length(std::string_view text, std::size_t at) {
  const unsigned char lead = static_cast<unsigned char>(text[at]);
  const std::size_t length = lead < 0xC2 ? 0 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : lead < 0xF5 ? 4 : 0;
  if (length == 0 || at + length > text.size()) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[at + i]) & 0xC0) != 0x80) return 0;
  }
  const unsigned char second = static_cast<unsigned char>(text[at + 1]);
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) || (lead == 0xF0 && second < 0x90) ||
      (lead == 0xF4 && second > 0x8F)) {
    return 0;
  }
  return length;
}

// The code page 936 bytes of the UTF-8 character `character`, when it has
// some that come back as the same character.
bool Cp936Character(std::string_view character, std::string* out) {
  std::string cp936;
  std::string back;
  if (!Cp936FromUtf8().Convert(character, &cp936) || !Utf8FromCp936().Convert(cp936, &back) || back != character) {
    return false;
  }
  *out += cp936;
  return true;
}

}  // namespace

std::string ProgramText(std::string_view nativeText) {
  if (IsAscii(nativeText) && nativeText.find('\\') == std::string_view::npos) return std::string(nativeText);
  std::string text;
  text.reserve(nativeText.size());
  for (std::size_t at = 0; at < nativeText.size();) {
    const unsigned char byte = static_cast<unsigned char>(nativeText[at]);
    if (byte < 0x80 && byte != '\\') {
      text += nativeText[at++];
      continue;
    }
    const std::size_t length = byte < 0x80 ? 0 : Utf8Length(nativeText, at);
    if (length != 0 && Cp936Character(nativeText.substr(at, length), &text)) {
      at += length;
      continue;
    }
    text += kEscape;
    text += kHexDigits[byte >> 4];
    text += kHexDigits[byte & 0xF];
    ++at;
  }
  return text;
}

std::string NativeText(std::string_view programText) {
  if (IsAscii(programText)) return std::string(programText);
  std::string text;
  text.reserve(programText.size() + programText.size() / 2);
  for (std::size_t at = 0; at < programText.size();) {
    const unsigned char byte = static_cast<unsigned char>(programText[at]);
    if (byte < 0x80) {
      text += programText[at++];
      continue;
    }
    if (programText[at] == kEscape && at + 2 < programText.size() && HexValue(programText[at + 1]) >= 0 &&
        HexValue(programText[at + 2]) >= 0) {
      text += static_cast<char>(HexValue(programText[at + 1]) << 4 | HexValue(programText[at + 2]));
      at += 3;
      continue;
    }
    // A lead byte takes the byte after it, as every walk of the program's
    // text does; 0x80 (the euro sign) and 0xFF stand alone.
    const bool lead = byte >= 0x81 && byte <= 0xFE && at + 1 < programText.size();
    const std::string_view character = programText.substr(at, lead ? 2 : 1);
    if (!Utf8FromCp936().Convert(character, &text)) text += character;
    at += character.size();
  }
  return text;
}

bool Cp936Converts() { return Utf8FromCp936().IsOpen() && Cp936FromUtf8().IsOpen(); }

}  // namespace port
