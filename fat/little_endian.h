// Little-endian fields of on-disk FAT records, read from and written into
// the image's bytes. The caller keeps `at` inside the bytes.
#pragma once

#include <cstdint>
#include <string>

namespace fat {

inline std::uint8_t Byte(const std::string& b, std::size_t at) { return static_cast<std::uint8_t>(b[at]); }

inline std::uint32_t Le16(const std::string& b, std::size_t at) {
  return Byte(b, at) | static_cast<std::uint32_t>(Byte(b, at + 1)) << 8;
}

inline std::uint32_t Le32(const std::string& b, std::size_t at) { return Le16(b, at) | Le16(b, at + 2) << 16; }

inline void Put16(std::string* b, std::size_t at, std::uint32_t value) {
  (*b)[at] = static_cast<char>(value & 0xFF);
  (*b)[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

inline void Put32(std::string* b, std::size_t at, std::uint32_t value) {
  Put16(b, at, value & 0xFFFF);
  Put16(b, at + 2, value >> 16);
}

}  // namespace fat
