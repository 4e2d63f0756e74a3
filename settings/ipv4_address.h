// An IPv4 address as people type it: four numbers separated by dots.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// True when `text` is exactly four numbers of 0 to 255, each one to three
// decimal digits, separated by single dots: nothing before, after or
// between them ("192.168.001.20" is 192.168.1.20; " 1.2.3.4", "1.2.3",
// "1..2.3", "1.2.3.4.", "1.2.3.0004" are none). `*address` gets the first
// number in its top byte.
bool ParseIpv4(std::string_view text, std::uint32_t* address);

// The four numbers in decimal with `separator` between them ('.' gives
// "192.168.1.20").
std::string Ipv4Text(std::uint32_t address, char separator);
