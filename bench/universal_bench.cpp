// Times the universal medium for 100 cards, as a boot image (from a 2.88 MB
// template image) and as a USB folder (from the sample template folder),
// against a shell script doing the same with cp, mcopy and sed: a folder
// per card holding its driver and its two INI files rewritten by sed, the
// first card's files in NET, the table, the program and AUTOEXEC.BAT's
// line. Prints the times and the ratios.
//
//   universal_bench [repository folder] [work folder] [rounds]
//
// The work folder (default: the system's temporary folder) receives a
// folder tovrell-universal-bench-<pid> that is removed at the end.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/bench_args.h"
#include "bench/shell_paths.h"
#include "bench/timing.h"
#include "bootprog/boot_program.h"
#include "media/build_kind.h"
#include "port/file_system.h"

namespace {

constexpr int kCards = 100;

std::string CardName(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "NIC%03d", i);
  return name;
}

std::string Folder(int i) {
  char name[16];
  std::snprintf(name, sizeof name, "%03d", i + 1);
  return name;
}

}  // namespace

int main(int argc, char** argv) {
  const BenchArgs args = ReadBenchArgs(argc, argv, 5);
  const std::filesystem::path& repository = args.repository;
  const std::filesystem::path& work = args.work;
  const int rounds = args.rounds;
  const std::filesystem::path base = work / ("tovrell-universal-bench-" + std::to_string(getpid()));
  const std::filesystem::path program = base / "program";
  const std::filesystem::path templateFolder = program / "BootDisk";
  const std::filesystem::path templateImage = program / "BootDisk.img";
  std::filesystem::create_directories(base / "reference");
  std::filesystem::create_directories(program);
  std::filesystem::create_directories(base / "ours");
  std::filesystem::copy(repository / "sample" / "BootDisk", templateFolder, std::filesystem::copy_options::recursive);
  if (!Run("bash " + Quoted(repository / "tools" / "make_sample_image.sh") + " " + Quoted(templateFolder) + " " +
           Quoted(templateImage) + " 2880")) {
    std::fprintf(stderr, "cannot make the template image\n");
    return 1;
  }
  port::WriteFile(WindowsForm(base / "TOVRELL.COM"), BootProgramBytes());

  // The library; the script's table, written as the build writes it.
  BuildRequest request{WindowsForm(program), WindowsForm(base / "ours"), std::nullopt, {}, {}};
  std::string table;
  for (int i = 0; i < kCards; ++i) {
    const std::string name = CardName(i);
    const std::filesystem::path card = program / "driver" / name;
    std::filesystem::create_directories(card);
    port::WriteFile(WindowsForm(card / (name + ".DOS")), std::string(10000, 'd'));
    port::WriteFile(WindowsForm(card / (name + ".INI")), "[" + name + "_NIF]\r\nDriverName=" + name + "$\r\n");
    request.cards.Append({i, name, WindowsForm(card / (name + ".DOS"))});
    table += "CARD " + Folder(i) + " " + name + ".DOS - " + name + "\r\n";
  }
  port::WriteFile(WindowsForm(base / "TOVRELL.TXT"), table);
  // The same work by hand: per card a folder, its driver and its two INI
  // files through sed; then NET as the first card's, the table, the
  // program and AUTOEXEC.BAT. For the image with mcopy, for the folder
  // with cp.
  const std::string net = Quoted(templateFolder / "NET");
  std::ofstream script(base / "script.sh");
  script << "set -e\ncd " << Quoted(base / "reference") << "\nrm -rf img folder cards && mkdir cards\n"
         << "for i in $(seq 0 " << kCards - 1 << "); do\n"
         << "  n=$(printf NIC%03d $i); f=$(printf %03d $((i + 1))); mkdir cards/$f\n"
         << "  cp " << Quoted(program / "driver") << "/$n/$n.DOS cards/$f/\n"
         << "  sed \"s/^netcard=.*/netcard=$n.DOS/\" " << net << "/SYSTEM.INI > cards/$f/SYSTEM.INI\n"
         << "  sed \"s/^DriverName=NICDRV/DriverName=$n/\" " << net << "/PROTOCOL.INI > cards/$f/PROTOCOL.INI\n"
         << "done\n"
         << "sed '1a \\\\NET\\\\TOVRELL.COM' " << Quoted(templateFolder / "AUTOEXEC.BAT") << " > AUTOEXEC.BAT\n"
         << "extra=\"cards/001/NIC000.DOS cards/001/SYSTEM.INI cards/001/PROTOCOL.INI "
         << (base / "TOVRELL.TXT").string() << " " << (base / "TOVRELL.COM").string() << "\"\n"
         // The image.
         << "cp " << Quoted(templateImage) << " img && export MTOOLS_SKIP_CHECK=1 && mmd -i img ::NET/CARDS\n"
         << "for f in cards/*; do mcopy -i img -s $f ::NET/CARDS/; done\n"
         << "mcopy -o -i img $extra ::NET/ && mcopy -o -i img AUTOEXEC.BAT ::\n"
         // The folder.
         << "cp -r " << Quoted(templateFolder) << " folder && cp -r cards folder/NET/CARDS\n"
         << "cp $extra folder/NET/ && cp AUTOEXEC.BAT folder/\n";
  script.close();

  std::vector<double> image, folder, reference;
  for (int round = 0; round < rounds; ++round) {
    auto runOurs = [&] {
      for (auto [kind, times] : {std::make_pair(BuildKind::kUniversalImage, &image),
                                 std::make_pair(BuildKind::kUniversalUsb, &folder)}) {
        times->push_back(Seconds([&, kind = kind] {
          NoProgress progress;
          Outcome outcome;
          RunBuild(kind, request, progress, &outcome);
          for (const Notice& notice : outcome.notices) {
            if (!outcome.succeeded) std::fprintf(stderr, "%s\n", notice.text.c_str());
          }
          return outcome.succeeded;
        }));
      }
    };
    auto runReference = [&] { reference.push_back(Seconds([&] { return Run("bash " + Quoted(base / "script.sh")); })); };
    RunRound(round, runOurs, runReference);
  }
  const bool same = Run("MTOOLS_SKIP_CHECK=1 mtype -i " + Quoted(base / "ours" / "BootDisk.img") +
                        " ::NET/CARDS/042/PROTOCOL.INI | cmp -s - " +
                        Quoted(base / "reference" / "cards" / "042" / "PROTOCOL.INI"));
  std::filesystem::remove_all(base);
  if (!same) {
    std::fprintf(stderr, "the two media differ in NET\\CARDS\\042\\PROTOCOL.INI\n");
    return 1;
  }
  // The script does both media in one run; each of ours is set against it.
  std::printf("Median of %d rounds, %d cards:\n", rounds, kCards);
  std::printf("  universal image  %8.3f s   universal folder %8.3f s   cp + mcopy + sed for both %8.3f s\n",
              Median(image), Median(folder), Median(reference));
  std::printf("  ratio (image + folder against the script) %.2f\n", (Median(image) + Median(folder)) / Median(reference));
  return 0;
}
