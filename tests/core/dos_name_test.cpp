#include "fat/dos_name.h"

#include <gtest/gtest.h>

namespace {

TEST(DosNameTest, ShortNamesAreThoseDosCanLoad) {
  const struct {
    const char* name;
    const char* stored;  // nullptr: refused
  } cases[] = {
      {"E100B.DOS", "E100B   DOS"},
      {"rtl8139.dos", "RTL8139 DOS"},
      {"NICDRV", "NICDRV     "},
      {"A$~1.D_S", "A$~1    D_S"},
      {"\xCD\xF8\xBF\xA8.DOS", "\xCD\xF8\xBF\xA8    DOS"},  // double-byte characters are DOS name characters
      {"\x9C\x5C.DOS", "\x9C\x5C      DOS"},                // 淺, its trail byte a backslash
      {"\xE5\xA1.DOS", "\x05\xA1      DOS"},                // a leading 0xE5 is stored as 0x05
      {"RTL8139NEW.DOS", nullptr},                          // base name longer than 8
      {"E100B.DOSX", nullptr},                              // extension longer than 3
      {"E100 B.DOS", nullptr},
      {"E100B.D.S", nullptr},
      {".DOS", nullptr},
      {"E100B.", nullptr},
      {"", nullptr},
      {"A+B.DOS", nullptr},
      {"A\\B.DOS", nullptr},
      {"NUL.DOS", nullptr},  // DOS would open the device
      {"com1.dos", nullptr},
      {"\xCD.DOS", nullptr},  // a lead byte without its trail byte
  };
  for (const auto& c : cases) {
    std::string stored;
    const bool valid = fat::ShortNameOf(c.name, &stored);
    EXPECT_EQ(valid, c.stored != nullptr) << c.name;
    if (valid && c.stored != nullptr) {
      EXPECT_EQ(stored, c.stored) << c.name;
    }
  }
}

}  // namespace
