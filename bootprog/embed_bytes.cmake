# Writes a C++ source that holds a file's bytes as the array kBootProgram
# and their count as kBootProgramSize (bootprog/boot_program_embedded.cpp
# reads them):
#   cmake -DINPUT=<file> -DOUTPUT=<source> -P embed_bytes.cmake
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
if(size EQUAL 0)
  message(FATAL_ERROR "${INPUT} is empty")
endif()
string(REGEX REPLACE "(..)" "0x\\1," bytes "${hex}")
# Sixteen bytes a line.
string(REPEAT "0x..," 16 line)
string(REGEX REPLACE "(${line})" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// The bytes of ${INPUT}, written by bootprog/embed_bytes.cmake.
#include <cstddef>

extern const unsigned char kBootProgram[] = {
${bytes}
};
extern const std::size_t kBootProgramSize = ${size};
")
