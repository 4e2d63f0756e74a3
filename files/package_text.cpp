#include "files/package_text.h"

#include "port/file_system.h"

PackageTextRead ReadPackageText(const std::string& path, std::string* bytes, std::uint64_t* size) {
  std::uint64_t unused = 0;
  if (size == nullptr) size = &unused;
  if (!port::GetFileSize(path, size)) return PackageTextRead::kMissing;
  if (*size > kMaxPackageTextSize) return PackageTextRead::kTooLarge;
  return port::ReadFile(path, bytes) ? PackageTextRead::kRead : PackageTextRead::kUnreadable;
}
