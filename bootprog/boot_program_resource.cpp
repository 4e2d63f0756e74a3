// BootProgramBytes from the RCDATA resource IDR_BOOT_PROGRAM of the running
// program (res/tovrell.rc; the test programs have their own .rc).
#include "bootprog/boot_program.h"

#include <windows.h>

#include "res/resource.h"

std::string BootProgramBytes() {
  HMODULE module = GetModuleHandleA(nullptr);
  HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(IDR_BOOT_PROGRAM), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
  if (found == nullptr) return {};
  HGLOBAL loaded = LoadResource(module, found);
  const void* bytes = loaded == nullptr ? nullptr : LockResource(loaded);
  if (bytes == nullptr) return {};
  return std::string(static_cast<const char*>(bytes), SizeofResource(module, found));
}
