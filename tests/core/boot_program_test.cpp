// The boot program's bytes in the core are those nasm assembled.
#include "bootprog/boot_program.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

TEST(BootProgram, IsTheProgramNasmAssembled) {
  std::ifstream file(TOVRELL_BOOT_PROGRAM_FILE, std::ios::binary);
  ASSERT_TRUE(file) << "cannot read " << TOVRELL_BOOT_PROGRAM_FILE;
  const std::string assembled{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  ASSERT_GT(assembled.size(), 256u);
  EXPECT_EQ(BootProgramBytes(), assembled);
}
