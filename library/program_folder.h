// The program folder: where the program file lies, and beside it the driver
// library ("driver") and the boot disk template ("BootDisk"). For a program
// at the root of a drive the folder is the bare drive ("E:" for
// E:\Tovrell.exe), which names that root wherever the program uses it.
#pragma once

#include <string>

// Cuts the program file's path at its last backslash (the whole text when
// it has none). Any length is taken: the file-system port reaches paths
// beyond 260 bytes.
std::string ProgramFolderFromModulePath(const std::string& modulePath);

// "<program folder>\driver\" and "<program folder>\BootDisk\".
std::string LibraryFolderOf(const std::string& programFolder);
std::string TemplateFolderOf(const std::string& programFolder);
// "<program folder>\BootDisk.img", the boot floppy image the image build
// starts from.
std::string TemplateImageOf(const std::string& programFolder);

// The card INI of a driver file of the library: its package's PROTOCOL.INI
// kept beside it as <DRV>.INI ("…\E100B\E100B.DOS" gives "…\E100B\E100B.INI").
std::string CardIniOf(const std::string& driverPath);
