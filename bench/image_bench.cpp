// Times the boot image build into a 2.88 MB floppy image (read the template,
// check it, put a driver file and the two rewritten INI files into \NET,
// write the image beside the target and put it in place) against mtools
// doing the same file replacements (cp of the template, then mcopy -o of the
// three files), on the same image in the same run, and prints the times
// and their ratio.
//
//   image_bench [repository folder] [work folder] [rounds]
//
// The template image is made from the repository's sample template with
// tools/make_sample_image.sh; the work folder (default: the system's
// temporary folder) receives a folder tovrell-image-bench-<pid> that is
// removed at the end.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/bench_args.h"
#include "bench/shell_paths.h"
#include "bench/timing.h"
#include "bootdisk/boot_config_text.h"
#include "bootdisk/card_image.h"
#include "fat/dos_name.h"
#include "fat/image.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

int main(int argc, char** argv) {
  const BenchArgs args = ReadBenchArgs(argc, argv, 21);
  const std::filesystem::path& repository = args.repository;
  const std::filesystem::path& work = args.work;
  const int rounds = args.rounds;
  const std::filesystem::path base = work / ("tovrell-image-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(base);
  const std::filesystem::path templateImage = base / "BootDisk.img";
  const std::filesystem::path driverPath = repository / "sample" / "driver" / "E100B" / "E100B.DOS";
  const std::string driverName = "E100B.DOS";

  if (!Run("bash " + Quoted(repository / "tools" / "make_sample_image.sh") + " " +
           Quoted(repository / "sample" / "BootDisk") + " " + Quoted(templateImage) + " 2880")) {
    std::fprintf(stderr, "cannot make the template image\n");
    return 1;
  }
  // The files mcopy puts in: the driver, and the INI files rewritten as the
  // build rewrites them (prepared once, not timed).
  std::string systemIni, protocolIni, driver;
  if (!port::ReadFile(WindowsForm(repository / "sample" / "BootDisk" / "NET" / "SYSTEM.INI"), &systemIni) ||
      !port::ReadFile(WindowsForm(repository / "sample" / "BootDisk" / "NET" / "PROTOCOL.INI"), &protocolIni) ||
      !port::ReadFile(WindowsForm(driverPath), &driver)) {
    std::fprintf(stderr, "cannot read the sample files\n");
    return 1;
  }
  RewriteBootConfigText(BootConfigFile::kSystemIni, {driverName, "E100B$"}, &systemIni);
  RewriteBootConfigText(BootConfigFile::kProtocolIni, {driverName, "E100B$"}, &protocolIni);
  port::WriteFile(WindowsForm(base / "SYSTEM.INI"), systemIni);
  port::WriteFile(WindowsForm(base / "PROTOCOL.INI"), protocolIni);

  const std::string ours = WindowsForm(base / "ours.img");
  const std::filesystem::path reference = base / "reference.img";
  const std::string mcopyLine =
      "cp " + Quoted(templateImage) + " " + Quoted(reference) + " && MTOOLS_SKIP_CHECK=1 mcopy -o -i " +
      Quoted(reference) + " " + Quoted(driverPath) + " " + Quoted(base / "SYSTEM.INI") + " " +
      Quoted(base / "PROTOCOL.INI") + " ::NET/";
  const fat::DosStamp stamp = fat::MakeDosStamp(2026, 12, 7, 12, 0, 0);

  std::vector<double> build, mcopy;
  for (int round = 0; round < rounds; ++round) {
    auto runOurs = [&] {
      build.push_back(Seconds([&] {
        std::string bytes, driverBytes, problem;
        fat::Image image;
        return port::ReadFile(WindowsForm(templateImage), &bytes) && image.Open(std::move(bytes), &problem) &&
               port::ReadFile(WindowsForm(driverPath), &driverBytes) &&
               SetUpBootImage(&image, {driverName, "E100B$"}, driverBytes, stamp).empty() &&
               port::WriteFile(ours + ".tmp", image.bytes()) && port::ReplaceEntry(ours + ".tmp", ours);
      }));
    };
    auto runReference = [&] { mcopy.push_back(Seconds([&] { return Run(mcopyLine); })); };
    RunRound(round, runOurs, runReference);
  }
  // Both give the same files.
  const bool same = Run("MTOOLS_SKIP_CHECK=1 mtype -i " + Quoted(base / "ours.img") + " ::NET/SYSTEM.INI > " +
                        Quoted(base / "a.txt") + " && MTOOLS_SKIP_CHECK=1 mtype -i " + Quoted(reference) +
                        " ::NET/SYSTEM.INI > " + Quoted(base / "b.txt") + " && cmp -s " + Quoted(base / "a.txt") +
                        " " + Quoted(base / "b.txt") + " && fsck.fat -n " + Quoted(base / "ours.img") + " >/dev/null");
  std::filesystem::remove_all(base);
  if (!same) {
    std::fprintf(stderr, "the two images differ in NET\\SYSTEM.INI or ours is not sound\n");
    return 1;
  }
  std::printf("Median of %d rounds, 2.88 MB image, driver and two INI files replaced in \\NET:\n", rounds);
  std::printf("  boot image build %8.4f s   cp + mcopy -o %8.4f s   ratio %.2f\n", Median(build), Median(mcopy),
              Median(build) / Median(mcopy));
  std::printf("(The build writes a new image beside the target and replaces the old one in one step;\n"
              " mcopy changes its copy in place.)\n");
  return 0;
}
