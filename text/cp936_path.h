// Splitting and comparing paths held as code page 936 (GBK) byte strings.
//
// In code page 936 a double-byte character has a lead byte 0x81..0xFE and a
// trail byte 0x40..0xFE (except 0x7F). The trail byte can be 0x5C, the
// backslash (U+6DFA is 0x9C 0x5C), and can be any upper-case ASCII letter.
// Every function here walks the string from its start, stepping over whole
// double-byte characters, so that a trail byte is never taken for a path
// separator, a dot or a letter. All code that splits a path at a backslash
// goes through these functions.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace cp936 {

constexpr std::size_t npos = std::string_view::npos;

// True for a byte that starts a double-byte character.
bool IsLeadByte(unsigned char byte);

// True for a byte that can end a double-byte character: 0x40..0xFE but 0x7F.
bool IsTrailByte(unsigned char byte);

// True when every lead byte of `text` is followed by a trail byte: no
// character is cut off at the end, none pairs a lead byte with a byte that
// cannot end it. Such broken text never comes from Windows itself. The walks
// below still take a lead byte and whatever byte follows it as one
// character, as Windows' own walks (CharNextA, the path conversion) do, and
// a lead byte at the very end as one byte; names the program creates are
// refused before they can be broken (see CheckCardName).
bool IsWholeText(std::string_view text);

// Position of the last single-byte character `c` in `text`, or npos.
std::size_t FindLast(std::string_view text, char c);

// Position of the first single-byte character `c` in `text`, or npos.
std::size_t FindFirst(std::string_view text, char c);

// True when `what` stands in `text` starting on a character boundary: the
// bytes of ASCII text can also be a trail byte and the next lead byte.
bool Contains(std::string_view text, std::string_view what);

// Position of the last backslash, or npos.
std::size_t LastBackslash(std::string_view path);

// True when the last character of `path` is a backslash (not a trail byte).
bool EndsWithBackslash(std::string_view path);

// The path up to, not including, its last backslash; the whole path when it
// has none. "C:\T\Tovrell.exe" gives "C:\T".
std::string FolderOf(std::string_view path);

// The path up to and including its last backslash; "" when it has none.
// "C:\T\driver\E100\E100B.DOS" gives "C:\T\driver\E100\".
std::string FolderWithBackslashOf(std::string_view path);

// The text after the last backslash; the whole path when it has none.
std::string FileNameOf(std::string_view path);

// The file name without its extension: the text between the last backslash
// and the last dot after it. "…\E100B.DOS" gives "E100B"; a name without a
// dot gives the whole name.
std::string BaseNameOf(std::string_view path);

// `path` with every backslash replaced by `separator` (and the reverse when
// `separator` is a backslash and `from` is given), never touching trail bytes.
std::string ReplaceSeparators(std::string_view path, char from, char to);

// Upper-cases the ASCII letters of `text`, leaving double-byte characters
// whole, for comparisons that ignore letter case as Windows does.
std::string UpperAscii(std::string_view text);

// Byte-exact equality ignoring ASCII letter case outside double-byte
// characters.
bool EqualIgnoringCase(std::string_view a, std::string_view b);

// True when `text` ends with `suffix`, ASCII letter case ignored, and the
// suffix starts on a character boundary.
bool EndsWithIgnoringCase(std::string_view text, std::string_view suffix);

}  // namespace cp936
