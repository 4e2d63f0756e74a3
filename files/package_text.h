// Reading the small text files of a driver package for what they say: the
// card INI (<DRV>.INI), OEMSETUP.INF and Windows driver INF files. Real ones
// hold a few kilobytes, the largest Windows INF files a few hundred; a file
// larger than kMaxPackageTextSize is none of them, and reading it into lines
// would take many times its size in memory, so it is refused before it is
// opened. Read what is read as text with text::FileText.
#pragma once

#include <cstdint>
#include <string>

constexpr std::uint64_t kMaxPackageTextSize = 1024 * 1024;  // 1 MB

enum class PackageTextRead {
  kRead,
  kMissing,     // no such file (or a folder)
  kTooLarge,    // larger than kMaxPackageTextSize; not opened
  kUnreadable,  // there, but it cannot be read
};

// Reads the file `path` whole into `*bytes`, and gives its size in `*size`
// when given. Reads only; `*bytes` is set only on kRead.
PackageTextRead ReadPackageText(const std::string& path, std::string* bytes, std::uint64_t* size = nullptr);
