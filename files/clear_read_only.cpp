#include "files/clear_read_only.h"

#include "port/file_system.h"

void ClearReadOnly(const std::string& path) {
  // A link's attributes are those of what it leads to, which stays as it is.
  if (port::IsLink(path)) return;
  const std::uint32_t attributes = port::GetAttributes(path);
  if (attributes == port::kInvalidAttributes || (attributes & port::kAttrReadOnly) == 0) return;
  const std::uint32_t kept = attributes & (port::kAttrHidden | port::kAttrSystem | port::kAttrArchive);
  port::SetAttributes(path, kept == 0 ? port::kAttrNormal : kept);
}
