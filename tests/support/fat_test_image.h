// Disk images for the tests of the boot image build. Made in memory (for
// the tests that run everywhere) or with the FAT tools of Linux, mkfs.fat
// and mtools (for the tests that compare with them; these tools do not run
// under Wine).
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// A 1.44 MB FAT12 floppy laid out as a format program leaves it (two FATs,
// 224 root entries, one sector per cluster, label TOVRELLTEST), with a
// folder NET holding `netFiles` and the root holding `rootFiles`, each a
// (name, content) pair.
using TestFiles = std::vector<std::pair<std::string, std::string>>;
std::string MemoryFloppy(const TestFiles& netFiles, const TestFiles& rootFiles = {});

// Offsets in the image MemoryFloppy makes.
constexpr std::size_t kFloppyFat = 512;
constexpr std::size_t kFloppyFatBytes = 9 * 512;
constexpr std::size_t kFloppyRoot = 512 + 2 * 9 * 512;

// The little-endian 16-bit value at `at`.
std::uint32_t Le16At(const std::string& bytes, std::size_t at);

// True when mkfs.fat, mtools and fsck.fat can be run here.
bool FatToolsRun();

// Runs a shell command line; its exit status (0: success).
int RunTool(const std::string& commandLine);

// The path as the shell wants it: the native path (port::NativePath), quoted.
std::string ShellPath(const std::string& windowsPath);

// Makes `imagePath` with mkfs.fat (`mkfsOptions`, size in KB) and fills it
// with mtools: the folder `sourceFolder`'s tree, and in the root a file with
// a long name. Throws when a tool fails.
void MakeToolImage(const std::string& imagePath, const std::string& mkfsOptions, int sizeKb,
                   const std::string& sourceFolder);

// fsck.fat -n on the image file: 0 when it finds nothing wrong; what it
// said in `*report`.
int CheckWithFsck(const std::string& imagePath, std::string* report = nullptr);

// What fsck.fat -n notes on the image file, a line each: its report
// without the lines naming the tool, the file and the outcome.
std::vector<std::string> FsckFindings(const std::string& imagePath);

// Copies every file of the image with mcopy into `folder`.
void ExtractImage(const std::string& imagePath, const std::string& folder);
