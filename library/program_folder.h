// The program folder: where the program file lies, and beside it the driver
// library ("driver") and the boot disk template ("BootDisk").
#pragma once

#include <string>

// The longest program folder the program works in. Every path it forms
// below the folder must fit the 260-byte path buffers of the Windows ANSI
// calls; the longest fixed one is <folder>\BootDisk\NET\PROTOCOL.INI.
constexpr std::size_t kMaxProgramFolderLength = 259 - sizeof("\\BootDisk\\NET\\PROTOCOL.INI") + 1;

// Cuts the program file's path at its last backslash (the whole text when
// it has none). False, and `folder` unchanged, when the folder is longer than
// kMaxProgramFolderLength: the program then must not work on it.
bool ProgramFolderFromModulePath(const std::string& modulePath, std::string* folder);

// "<program folder>\driver\" and "<program folder>\BootDisk\".
std::string LibraryFolderOf(const std::string& programFolder);
std::string TemplateFolderOf(const std::string& programFolder);
// "<program folder>\BootDisk.img", the boot floppy image the image build
// starts from.
std::string TemplateImageOf(const std::string& programFolder);

// The message shown when the program folder is too long.
std::string ProgramFolderTooLongMessage(const std::string& modulePath);
