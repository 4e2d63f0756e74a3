#include "network_boot.h"

#include <sys/wait.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <stdexcept>

#include "support/fat_test_image.h"

namespace {

// `text` as one shell word.
std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

std::string Joined(const std::vector<std::string>& words) {
  std::string joined;
  for (const std::string& word : words) joined += (joined.empty() ? "" : ",") + word;
  return joined;
}

}  // namespace

bool BootShows(const QemuBoot& boot, std::string* screen) {
  const std::string medium = boot.floppy.empty()
                                 ? " --tftp " + ShellPath(boot.tftpRoot) + " --bootfile " + Quoted(boot.bootFile)
                                 : " --floppy " + ShellPath(boot.floppy) + (boot.readonly ? " --readonly" : "");
  const std::string line = "python3 '" TOVRELL_BOOT_TOOLS "/qemu_screen.py'" + medium + " --nic " + Quoted(boot.nic) +
                           " --keys-after " +
                           Quoted(boot.keysAfter) + " --keys " + Quoted(Joined(boot.keys)) + " --expect " +
                           Quoted(boot.expected) + " --timeout " + std::to_string(boot.timeoutSeconds) + " 2>&1";
  screen->clear();
  FILE* harness = popen(line.c_str(), "r");
  if (harness == nullptr) return false;
  char buffer[4096];
  for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, harness)) > 0;) screen->append(buffer, got);
  const int status = pclose(harness);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

void MakeBootableTemplate(const std::string& templateFolder, const std::string& imagePath) {
  if (RunTool("bash '" TOVRELL_BOOT_TOOLS "/make_boot_image.sh' " + ShellPath(templateFolder) + " " +
              ShellPath(imagePath)) != 0) {
    throw std::runtime_error("cannot make the bootable template " + imagePath);
  }
}

std::string FreeDosImage() {
  const char* given = std::getenv("TOVRELL_FREEDOS_IMG");
  const std::string path = given != nullptr ? given : TOVRELL_BOOT_TOOLS "/../../../shared/freedos/freedos-boot.img";
  return std::ifstream(path).good() ? path : std::string();
}

void LayOutPxeLinux(const std::string& tftpRoot) {
  const std::string modules = "/usr/lib/syslinux/modules/bios/";
  if (RunTool("cp /usr/lib/PXELINUX/pxelinux.0 /usr/lib/syslinux/memdisk " + modules + "ldlinux.c32 " + modules +
              "menu.c32 " + modules + "libutil.c32 " + ShellPath(tftpRoot)) != 0) {
    throw std::runtime_error("cannot copy PXELINUX into " + tftpRoot);
  }
}
