// Times the device name's search in the largest files a driver package may
// hold (up to 1 MB): a card INI of 32,000 card sections before the one
// named after the driver, and an OEMSETUP.INF of 8,000 [netcard] entries
// before the driver's. The
// search indexes each file's sections once, so both take about as long as
// reading the file; a search per section or entry took a minute.
//
//   device_name_bench [work folder]
//
// The work folder (default: the system's temporary folder) receives a
// folder tovrell-device-name-bench-<pid> that is removed at the end.
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench/shell_paths.h"
#include "bench/timing.h"
#include "library/card_device_name.h"
#include "port/file_system.h"

int main(int argc, char** argv) {
  const std::filesystem::path work = argc > 1 ? std::filesystem::path(argv[1]) : std::filesystem::temp_directory_path();
  const std::filesystem::path base = work / ("tovrell-device-name-bench-" + std::to_string(getpid()));
  std::filesystem::create_directories(base / "INI");
  std::filesystem::create_directories(base / "OEM");

  std::string cardIni;
  for (int i = 0; i < 32000; ++i) cardIni += "[" + std::to_string(i) + "]\nDriverName=" + std::to_string(i) + "$\n";
  cardIni += "[NIC]\nDriverName=NE2000$\n";
  std::string oemSetup = "[netcard]\n";
  for (int i = 0; i < 8000; ++i) {
    oemSetup += "c" + std::to_string(i) + "=\"C\",0,ndis,ethernet,real,c" + std::to_string(i) + "\n";
  }
  oemSetup += "nic=\"NIC\",0,ndis,ethernet,real,nic,nic_nif\n[nic]\ndevice=NE2000.DOS\n[nic_nif]\ndrivername=MS2000$\n";
  port::WriteFile(WindowsForm(base / "INI" / "NE2000.DOS"), "driver");
  port::WriteFile(WindowsForm(base / "INI" / "NE2000.INI"), cardIni);
  port::WriteFile(WindowsForm(base / "OEM" / "NE2000.DOS"), "driver");
  port::WriteFile(WindowsForm(base / "OEM" / "OEMSETUP.INF"), oemSetup);

  auto nameOf = [&](const char* folder) { return DeviceNameOfCard(WindowsForm(base / folder / "NE2000.DOS")).name; };
  const double ini = Seconds([&] { return nameOf("INI") == "NE2000$"; });
  const double oem = Seconds([&] { return nameOf("OEM") == "MS2000$"; });
  std::filesystem::remove_all(base);
  std::printf("card INI of 32,000 sections (%zu bytes)    %8.3f s\n", cardIni.size(), ini);
  std::printf("OEMSETUP.INF of 8,000 entries (%zu bytes)  %8.3f s\n", oemSetup.size(), oem);
  return 0;
}
