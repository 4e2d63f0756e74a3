// BootProgramBytes from the array that bootprog/embed_bytes.cmake
// generates in the build folder.
#include "bootprog/boot_program.h"

#include <cstddef>

extern const unsigned char kBootProgram[];
extern const std::size_t kBootProgramSize;

std::string BootProgramBytes() { return std::string(reinterpret_cast<const char*>(kBootProgram), kBootProgramSize); }
