// The core's messages with their paths as the user writes paths. A message
// is free text into which the core puts full paths, between words and
// punctuation of its own, beside paths inside an image ("NET\PROTOCOL.INI")
// and characters it only names ("\ / : *"); natively the user writes
// "/srv/tftp", where the port writes "\srv\tftp".
#pragma once

#include <string>
#include <vector>

// `text` with each full path in it written as port::UserPath writes it
// (on Windows the same text). A path starts at a backslash and is taken
// separator by separator while the text before the next separator names a
// folder: one that exists, or one of `given` (the paths the command was
// given, full, which need not exist yet) or a folder holding one. A
// backslash counts only where at least the path's first folder is taken,
// so "\NET" in "镜像中没有文件夹\NET" stays as it is; the last name is never
// a folder and keeps the text after it.
std::string ShownText(const std::string& text, const std::vector<std::string>& given);
