#include "settings/ipv4_address.h"

bool ParseIpv4(std::string_view text, std::uint32_t* address) {
  std::uint32_t value = 0;
  std::size_t at = 0;
  for (int part = 0; part < 4; ++part) {
    if (part > 0) {
      if (at >= text.size() || text[at] != '.') return false;
      ++at;
    }
    const std::size_t start = at;
    unsigned number = 0;
    while (at < text.size() && at - start < 4 && text[at] >= '0' && text[at] <= '9') {
      number = number * 10 + static_cast<unsigned>(text[at] - '0');
      ++at;
    }
    if (at == start || at - start > 3 || number > 255) return false;
    value = value << 8 | number;
  }
  if (at != text.size()) return false;
  *address = value;
  return true;
}

std::string Ipv4Text(std::uint32_t address, char separator) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (shift != 24) text += separator;
    text += std::to_string(address >> shift & 0xFF);
  }
  return text;
}
