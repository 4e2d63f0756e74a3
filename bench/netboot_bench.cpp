// Times the network boot folder for 200 cards from a 1.44 MB template image
// (each card's image set up and written, its PCI ids read from its INF
// file, and both menus) against a shell
// loop doing the same per card with cp of the template and mcopy -o of the
// driver and its two rewritten INI files, in the same run, and prints the
// times and their ratio. Given the native command-line program, it times
// `tovrell netboot` on the same library too, as a boot server's cron job
// runs it (the process, its library scan and its output included).
//
//   netboot_bench [repository folder] [work folder] [rounds] [tovrell]
//
// The work folder (default: the system's temporary folder) receives a
// folder tovrell-netboot-bench-<pid> that is removed at the end.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/shell_paths.h"
#include "bench/timing.h"
#include "bootdisk/boot_config_text.h"
#include "netboot/netboot_build.h"
#include "port/file_system.h"
#include "text/cp936_path.h"

namespace {

constexpr int kCards = 200;

std::string CardName(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "NIC%03d", i);
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  const std::filesystem::path repository = argc > 1 ? std::filesystem::path(argv[1]) : ".";
  const std::filesystem::path work = argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
  const int rounds = argc > 3 ? std::max(1, std::atoi(argv[3])) : 5;
  const std::string tovrell = argc > 4 ? argv[4] : "";
  const std::filesystem::path base = work / ("tovrell-netboot-bench-" + std::to_string(getpid()));
  const std::filesystem::path templateImage = base / "BootDisk.img";
  std::filesystem::create_directories(base / "reference");
  if (!Run("bash " + Quoted(repository / "tools" / "make_sample_image.sh") + " " +
           Quoted(repository / "sample" / "BootDisk") + " " + Quoted(templateImage))) {
    std::fprintf(stderr, "cannot make the template image\n");
    return 1;
  }
  std::string systemIni, protocolIni;
  port::ReadFile(WindowsForm(repository / "sample" / "BootDisk" / "NET" / "SYSTEM.INI"), &systemIni);
  port::ReadFile(WindowsForm(repository / "sample" / "BootDisk" / "NET" / "PROTOCOL.INI"), &protocolIni);

  // The library, and for the loop each card's INI files as the build
  // rewrites them (prepared once, not timed).
  CardList cards;
  std::ofstream loop(base / "loop.sh");
  for (int i = 0; i < kCards; ++i) {
    const std::string name = CardName(i);
    const std::filesystem::path card = base / "driver" / name;
    std::filesystem::create_directories(card / "ini");
    const MediaCard media{name + ".DOS", name + "$"};
    std::string system = systemIni, protocol = protocolIni;
    RewriteBootConfigText(BootConfigFile::kSystemIni, media, &system);
    RewriteBootConfigText(BootConfigFile::kProtocolIni, media, &protocol);
    port::WriteFile(WindowsForm(card / (name + ".DOS")), std::string(20000, 'd'));
    port::WriteFile(WindowsForm(card / (name + ".INI")), "[" + name + "_NIF]\r\nDriverName=" + name + "$\r\n");
    // A driver CD's Windows INF: 100 distinct PCI ids, each claimed twice.
    char ids[96];
    std::snprintf(ids, sizeof ids, "%%NIC%%=Install,PCI\\VEN_8086&DEV_%04X&SUBSYS_00000000\r\n", 0x1000 + i % 100);
    port::WriteFile(WindowsForm(card / "NET.INF"), std::string("[Models]\r\n") + ids);
    port::WriteFile(WindowsForm(card / "ini" / "SYSTEM.INI"), system);
    port::WriteFile(WindowsForm(card / "ini" / "PROTOCOL.INI"), protocol);
    cards.Append({i, name, WindowsForm(card / (name + ".DOS"))});
    const std::filesystem::path image = base / "reference" / (name + ".IMG");
    loop << "cp " << Quoted(templateImage) << " " << Quoted(image) << " && MTOOLS_SKIP_CHECK=1 mcopy -o -i "
         << Quoted(image) << " " << Quoted(card / (name + ".DOS")) << " " << Quoted(card / "ini" / "SYSTEM.INI") << " "
         << Quoted(card / "ini" / "PROTOCOL.INI") << " ::NET/ || exit 1\n";
  }
  loop.close();

  std::vector<double> ours, reference, program;
  for (int round = 0; round < rounds; ++round) {
    auto runOurs = [&] {
      ours.push_back(Seconds([&] {
        NoProgress progress;
        NetbootOutcome outcome;
        BuildNetbootFolder({WindowsForm(base), WindowsForm(base), std::nullopt, cards}, progress, &outcome);
        return outcome.complete && outcome.built.size() == kCards;
      }));
    };
    auto runReference = [&] { reference.push_back(Seconds([&] { return Run("bash " + Quoted(base / "loop.sh")); })); };
    RunRound(round, runOurs, runReference);
    if (!tovrell.empty()) {
      program.push_back(Seconds([&] {
        return Run("TOVRELL_HOME=" + Quoted(base) + " " + Quoted(tovrell) + " netboot " + Quoted(base) + " >/dev/null");
      }));
    }
  }
  const bool same = Run("MTOOLS_SKIP_CHECK=1 mtype -i " + Quoted(base / "netboot" / "NIC123.IMG") +
                        " ::NET/PROTOCOL.INI > " + Quoted(base / "a.txt") + " && MTOOLS_SKIP_CHECK=1 mtype -i " +
                        Quoted(base / "reference" / "NIC123.IMG") + " ::NET/PROTOCOL.INI > " + Quoted(base / "b.txt") +
                        " && cmp -s " + Quoted(base / "a.txt") + " " + Quoted(base / "b.txt"));
  std::filesystem::remove_all(base);
  if (!same) {
    std::fprintf(stderr, "the two folders' images differ in NET\\PROTOCOL.INI\n");
    return 1;
  }
  std::printf("Median of %d rounds, %d cards from a 1.44 MB template:\n", rounds, kCards);
  std::printf("  network boot folder %8.3f s   cp + mcopy -o per card %8.3f s   ratio %.2f\n", Median(ours),
              Median(reference), Median(ours) / Median(reference));
  if (!program.empty()) {
    std::printf("  tovrell netboot     %8.3f s   cp + mcopy -o per card %8.3f s   ratio %.2f\n", Median(program),
                Median(reference), Median(program) / Median(reference));
  }
  return 0;
}
