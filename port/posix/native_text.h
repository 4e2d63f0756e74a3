// Names and text between the program's code page 936 and a POSIX system's
// own encoding, UTF-8. A Linux disk holds names as UTF-8 bytes and a Linux
// terminal shows UTF-8; the program works in code page 936, whose trail
// bytes can be a backslash or an ASCII letter, so a UTF-8 name taken as
// code page 936 would be split and compared wrongly. The POSIX port turns
// every name it hands to the system and every name it reads back through
// these two, and the command line every text it writes and every argument
// it reads.
//
// Nothing is lost either way. ASCII is left as it is (and costs one pass).
// A UTF-8 character that code page 936 cannot hold, or that would not come
// back as the same bytes, any byte that is no UTF-8 at all, and a
// backslash (a character of a POSIX name, a separator to the program) are
// kept in the program's text as 0xFF and the byte's two upper-case
// hexadecimal digits: 0xFF is no character of code page 936 (never a lead
// byte, so no path walk takes it with the byte after it), and NativeText
// turns it back into the byte. So every name read from the disk names the
// same entry when it is handed back. A code page 936 character that
// Unicode lacks (the user-defined areas) is handed to the system as its
// two bytes.
#pragma once

#include <string>
#include <string_view>

namespace port {

// Program text (code page 936) as the system writes it (UTF-8).
std::string NativeText(std::string_view programText);

// Text as the system writes it (UTF-8) in the program's code page 936.
std::string ProgramText(std::string_view nativeText);

// False where the system's iconv has no converter for code page 936 (a C
// library without its GBK module): then every byte outside ASCII passes
// as it is, which still names the same entries on disk but shows the
// program's own text as code page 936 bytes.
bool Cp936Converts();

}  // namespace port
