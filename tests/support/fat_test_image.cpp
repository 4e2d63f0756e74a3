#include "support/fat_test_image.h"

#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "fat/dos_name.h"
#include "fat/image.h"
#include "port/file_system.h"
#include "support/temp_folder.h"

std::string MemoryFloppy(const TestFiles& netFiles, const TestFiles& rootFiles) {
  std::string image(1474560, '\0');
  const unsigned char bootSector[] = {
      0xEB, 0x3C, 0x90, 'T', 'O', 'V', 'R', 'E', 'L', 'L', ' ',  // jump, OEM name
      0x00, 0x02, 0x01, 0x01, 0x00, 0x02, 0xE0, 0x00,                // 512 bytes, 1 per cluster, 1 reserved, 2 FATs, 224
      0x40, 0x0B, 0xF0, 0x09, 0x00, 0x12, 0x00, 0x02, 0x00,          // 2880 sectors, F0, 9 per FAT, 18 per track, 2 heads
      0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,                // hidden, 32-bit total
      0x00, 0x00, 0x29, 0x78, 0x56, 0x34, 0x12,                      // drive, reserved, signature, serial
      'T', 'O', 'V', 'R', 'E', 'L', 'L', 'T', 'E', 'S', 'T', 'F', 'A', 'T', '1', '2', ' ', ' ', ' '};
  image.replace(0, sizeof bootSector, reinterpret_cast<const char*>(bootSector), sizeof bootSector);
  image[510] = '\x55';
  image[511] = '\xAA';
  for (std::size_t fat : {kFloppyFat, kFloppyFat + kFloppyFatBytes}) {
    // Media byte and end marker, then cluster 2 (NET's folder) ends its chain.
    image.replace(fat, 6, "\xF0\xFF\xFF\xFF\x0F\x00", 6);
  }
  image.replace(kFloppyRoot, 12, "TOVRELLTEST\x08", 12);
  image.replace(kFloppyRoot + 32, 12, "NET        \x10", 12);
  image[kFloppyRoot + 32 + 26] = 2;
  const std::size_t netCluster = kFloppyRoot + 14 * 512;
  image.replace(netCluster, 12, ".          \x10", 12);
  image[netCluster + 26] = 2;
  image.replace(netCluster + 32, 12, "..         \x10", 12);

  fat::Image fat;
  std::string problem;
  if (!fat.Open(image, &problem)) throw std::runtime_error("blank floppy refused: " + problem);
  const fat::DosStamp stamp = fat::MakeDosStamp(2001, 2, 3, 4, 5, 6);
  for (const auto& file : netFiles) {
    if (!fat.WriteFile("NET\\" + file.first, file.second, stamp, &problem)) throw std::runtime_error(problem);
  }
  for (const auto& file : rootFiles) {
    if (!fat.WriteFile(file.first, file.second, stamp, &problem)) throw std::runtime_error(problem);
  }
  return fat.bytes();
}

std::uint32_t Le16At(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint8_t>(bytes[at]) | static_cast<std::uint32_t>(static_cast<std::uint8_t>(bytes[at + 1]))
                                                    << 8;
}

int RunTool(const std::string& commandLine) { return std::system(commandLine.c_str()); }

bool FatToolsRun() {
  return RunTool("mkfs.fat --help >/dev/null 2>&1 && mcopy --version >/dev/null 2>&1 && "
                 "fsck.fat --help >/dev/null 2>&1") == 0;
}

std::string ShellPath(const std::string& windowsPath) { return "'" + port::NativePath(windowsPath) + "'"; }

void MakeToolImage(const std::string& imagePath, const std::string& mkfsOptions, int sizeKb,
                   const std::string& sourceFolder) {
  const std::string image = ShellPath(imagePath);
  const std::string line = "rm -f " + image + " && mkfs.fat -C " + mkfsOptions + " " + image + " " +
                           std::to_string(sizeKb) + " >/dev/null && cd " + ShellPath(sourceFolder) +
                           " && MTOOLS_SKIP_CHECK=1 mcopy -s -m -i " + image +
                           " * :: && printf 'a file with a long name\\r\\n' > /tmp/tovrell-lfn-$$ && "
                           "MTOOLS_SKIP_CHECK=1 mcopy -m -i " + image +
                           " /tmp/tovrell-lfn-$$ '::Read Me First.txt' && rm -f /tmp/tovrell-lfn-$$";
  if (RunTool(line) != 0) throw std::runtime_error("cannot make " + imagePath);
}

int CheckWithFsck(const std::string& imagePath, std::string* report) {
  const std::string reportPath = imagePath + ".fsck.txt";
  const int status = RunTool("fsck.fat -n " + ShellPath(imagePath) + " >" + ShellPath(reportPath) + " 2>&1");
  if (report != nullptr) *report = ReadTestFile(reportPath);
  port::RemoveFile(reportPath);
  return status;
}

std::vector<std::string> FsckFindings(const std::string& imagePath) {
  std::string report;
  CheckWithFsck(imagePath, &report);
  std::vector<std::string> findings;
  std::istringstream lines(report);
  for (std::string line; std::getline(lines, line);) {
    const bool summary = line.find(" files, ") != std::string::npos && line.find(" clusters") != std::string::npos;
    if (!line.empty() && !summary && line.rfind("fsck.fat ", 0) != 0 && line != "Leaving filesystem unchanged.") {
      findings.push_back(line);
    }
  }
  return findings;
}

void ExtractImage(const std::string& imagePath, const std::string& folder) {
  const std::string line = "mkdir -p " + ShellPath(folder) + " && MTOOLS_SKIP_CHECK=1 mcopy -s -m -n -i " +
                           ShellPath(imagePath) + " '::*' " + ShellPath(folder) + " 2>/dev/null";
  if (RunTool(line) != 0) throw std::runtime_error("cannot extract " + imagePath);
}
