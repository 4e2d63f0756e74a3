// Lays out a folder tree shaped like a network-card driver CD, for timing
// the driver search on the Win32 port under Wine (tools/bench.sh): built
// natively, since making 100,000 entries through Wine takes minutes.
//
//   make_driver_cd <folder> [entries]
//
// The tree has exactly `entries` entries (default 100,000), files and
// folders, below <folder>, which must not exist yet. Vendors hold products;
// each product holds its drivers by system (DOS with one *.DOS driver, some
// of them below an MSLANMAN.DOS folder, Windows versions by processor, Linux
// sources), tools and manuals, so about one entry in 200 is a DOS driver and
// products of one vendor share driver names. A few names are Chinese, and
// one manual folder holds a few thousand pages, as the help folders of some
// CDs do. Prints the number of entries and of *.DOS files made.
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr int kDefaultEntries = 100000;
constexpr int kProductsPerVendor = 25;
constexpr int kDriverNamesPerVendor = 6;  // products of a vendor share these
constexpr int kPreferredEvery = 7;        // every 7th product keeps MSLANMAN.DOS
constexpr int kLargeManualPages = 3000;

class Layout {
 public:
  explicit Layout(int entries) : left_(entries) {}

  int made() const { return made_; }
  int drivers() const { return drivers_; }
  int left() const { return left_; }

  // Each returns false, making nothing, once the entries are used up.
  bool Folder(const std::filesystem::path& path) {
    if (left_ == 0) return false;
    if (!std::filesystem::create_directory(path)) Die(path);
    Count();
    return true;
  }
  bool File(const std::filesystem::path& path) {
    if (left_ == 0) return false;
    const int fd = open(path.c_str(), O_CREAT | O_EXCL | O_WRONLY, 0644);
    if (fd < 0) Die(path);
    close(fd);
    Count();
    if (path.extension() == ".DOS" || path.extension() == ".dos") ++drivers_;
    return true;
  }
  void Files(const std::filesystem::path& folder, const std::string& stem, const std::string& extension, int count) {
    for (int i = 0; i < count; ++i) File(folder / (stem + std::to_string(i) + extension));
  }

 private:
  void Count() {
    --left_;
    ++made_;
  }
  [[noreturn]] static void Die(const std::filesystem::path& path) {
    std::perror(path.c_str());
    std::exit(1);
  }

  int left_;
  int made_ = 0;
  int drivers_ = 0;
};

// A small deterministic sequence, so that every run lays out the same tree.
class Sequence {
 public:
  int Below(int bound) {
    state_ = state_ * 6364136223846793005ull + 1442695040888963407ull;
    return static_cast<int>((state_ >> 33) % static_cast<unsigned long long>(bound));
  }

 private:
  unsigned long long state_ = 88172645463325252ull;
};

void WindowsDriver(Layout& layout, const std::filesystem::path& folder, const std::string& driver, Sequence& random) {
  if (!layout.Folder(folder)) return;
  layout.File(folder / (driver + ".INF"));
  layout.File(folder / (driver + ".SYS"));
  layout.File(folder / (driver + ".CAT"));
  layout.Files(folder, driver + "CO", ".DLL", 1 + random.Below(4));
}

void DosDriver(Layout& layout, const std::filesystem::path& folder, const std::string& driver, bool preferred) {
  if (!layout.Folder(folder)) return;
  layout.File(folder / "README.TXT");
  layout.File(folder / "KEYWORDS.TXT");
  if (!preferred) {
    layout.File(folder / (driver + ".DOS"));
    layout.File(folder / "PROTOCOL.INI");
    layout.File(folder / "OEMSETUP.INF");
    return;
  }
  // The layout of the DOS network client's own driver disks.
  const std::filesystem::path client = folder / "MSLANMAN.DOS";
  if (!layout.Folder(client)) return;
  const std::filesystem::path drivers = client / "DRIVERS";
  layout.Folder(drivers);
  layout.Folder(drivers / "NIF");
  layout.File(drivers / "NIF" / (driver + ".NIF"));
  layout.Folder(drivers / "ETHERNET");
  layout.Folder(drivers / "ETHERNET" / driver);
  layout.File(drivers / "ETHERNET" / driver / (driver + ".DOS"));
  layout.File(drivers / "ETHERNET" / driver / "PROTOCOL.INI");
}

void Product(Layout& layout, const std::filesystem::path& folder, const std::string& driver, bool preferred,
             Sequence& random) {
  if (!layout.Folder(folder)) return;
  layout.File(folder / "README.TXT");
  layout.File(folder / "RELEASE.TXT");
  DosDriver(layout, folder / "DOS", driver, preferred);
  layout.Folder(folder / "WIN98");
  layout.File(folder / "WIN98" / "NETDRV.INF");
  layout.File(folder / "WIN98" / (driver + ".SYS"));
  WindowsDriver(layout, folder / "WIN2000", driver, random);
  layout.Folder(folder / "WINXP");
  WindowsDriver(layout, folder / "WINXP" / "X86", driver, random);
  WindowsDriver(layout, folder / "WINXP" / "X64", driver, random);
  layout.Folder(folder / "WIN7");
  WindowsDriver(layout, folder / "WIN7" / "X86", driver, random);
  WindowsDriver(layout, folder / "WIN7" / "X64", driver, random);
  WindowsDriver(layout, folder / "WIN10", driver, random);
  const std::filesystem::path linux = folder / "LINUX";
  if (layout.Folder(linux)) {
    layout.File(linux / "Makefile");
    layout.File(linux / "README");
    layout.Folder(linux / "src");
    layout.Files(linux / "src", "r8" + std::to_string(random.Below(1000)) + "_", ".c", 30 + random.Below(20));
    layout.Files(linux / "src", "r8_", ".h", 10 + random.Below(10));
  }
  const std::filesystem::path tools = folder / "DIAG";
  if (layout.Folder(tools)) {
    layout.File(tools / "DIAG.EXE");
    layout.File(tools / "DIAG.TXT");
    layout.File(tools / "EEPROM.BIN");
  }
  const std::filesystem::path manual = folder / "MANUAL";
  if (layout.Folder(manual)) {
    layout.Files(manual, "PAGE", ".HTM", 20 + random.Below(30));
    layout.Folder(manual / "IMAGES");
    layout.Files(manual / "IMAGES", "FIG", ".GIF", 15 + random.Below(40));
    layout.File(manual / u8"用户手册.PDF");
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: make_driver_cd <folder> [entries]\n");
    return 2;
  }
  const std::filesystem::path root = argv[1];
  const int entries = argc > 2 ? std::atoi(argv[2]) : kDefaultEntries;
  if (std::filesystem::exists(root)) {
    std::fprintf(stderr, "%s exists already\n", root.c_str());
    return 2;
  }
  std::filesystem::create_directories(root);
  Layout layout(entries);
  Sequence random;
  layout.File(root / "AUTORUN.INF");
  layout.File(root / "SETUP.EXE");
  layout.File(root / u8"说明.TXT");
  const std::filesystem::path help = root / "HELP";
  if (layout.Folder(help)) layout.Files(help, "TOPIC", ".HTM", kLargeManualPages);
  const std::filesystem::path drivers = root / "DRIVERS";
  layout.Folder(drivers);
  for (int vendor = 0; layout.left() > 0; ++vendor) {
    const std::filesystem::path vendorFolder =
        drivers / (vendor % 5 == 4 ? u8"网卡" + std::to_string(vendor) : "VENDOR" + std::to_string(vendor));
    if (!layout.Folder(vendorFolder)) break;
    for (int product = 0; product < kProductsPerVendor && layout.left() > 0; ++product) {
      const std::string driver = "V" + std::to_string(vendor) + "NIC" + std::to_string(product % kDriverNamesPerVendor);
      const bool preferred = (vendor * kProductsPerVendor + product) % kPreferredEvery == 0;
      Product(layout, vendorFolder / ("MODEL" + std::to_string(product)), driver, preferred, random);
    }
  }
  std::printf("%d entries, %d driver files\n", layout.made(), layout.drivers());
  return 0;
}
