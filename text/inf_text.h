// A Windows driver INF file's text as Windows reads its lines: a ';'
// outside a double-quoted string starts a comment that runs to the line's
// end; a double-quoted string is text (a description, a note), in which a
// ';' starts nothing and a doubled quote stands for one; a '\' ending a
// line outside both joins the next line to it.
#pragma once

#include <string>
#include <string_view>

namespace text {

// `text` (as text::FileText gives it: line feeds end its lines) with every
// comment removed, every quoted string, quotes included, replaced by one
// blank, and continued lines joined: what is left are the file's keys,
// values and section names, for finding names such as hardware ids in
// them. Line feeds that end lines are kept.
std::string InfTextOutsideStrings(std::string_view text);

}  // namespace text
