// The device name the built PROTOCOL.INI gives the card comes from the
// card's package, the same through the folder build and the image build.
#include "library/card_device_name.h"

#include <gtest/gtest.h>

#include "bootdisk/boot_image_build.h"
#include "bootdisk/boot_media_build.h"
#include "card_command_fixture.h"
#include "fat/image.h"
#include "port/file_system.h"
#include "support/fat_test_image.h"

namespace {

const char kMsClientIni[] =
    "[network.setup]\r\nnetcard=ms$ne2clone,1,MS$NE2CLONE,1\r\n[protman]\r\nDriverName=PROTMAN$\r\n"
    "[tcpip]\r\nDriverName=TCPIP$\r\nBINDINGS=MS$NE2CLONE\r\n[MS$NDISHLP]\r\nDriverName=ndishlp$\r\n"
    "BINDINGS=MS$NE2CLONE\r\n[MS$NE2CLONE]\r\nDRIVERNAME = MS2000$\r\nIOBASE=0x300\r\n";
const char kOemSetup[] =
    "[netcard]\r\nms$ne2clone=\"NE2000 Compatible\",0,ndis,ethernet,real,ms$ne2clone,ms$ne2clone_nif\r\n"
    "ms$other=\"Other\",0,ndis,ethernet,real,ms$other,ms$other_nif\r\n"
    "[ms$other]\r\ndevice=other.dos\r\n[ms$other_nif]\r\ndrivername=OTHER$\r\n"
    "[ms$ne2clone]\r\ndevice=ne2000.dos,@devdir\\ne2000.dos\r\n[ms$ne2clone_nif]\r\ndrivername=MS2000$\r\n";

class CardDeviceNameTest : public SampleProgramTest {
 protected:
  void SetUp() override {
    SampleProgramTest::SetUp();
    WriteTemplateImage();
  }

  // The DriverName line the built PROTOCOL.INI has for the card in its
  // section, or the refusal shown; through the folder build or the image.
  std::string Built(const std::string& driverPath, bool image) {
    Show(driverPath);
    view.selected = list.Count() - 1;
    view.boxes.clear();
    view.AnswerTargetPath(target.path());
    std::string protocolIni;
    if (image) {
      CreateBootImage(view, list, program);
      fat::Image built;
      std::string problem;
      if (built.Open(ReadTestFile(target / "BootDisk.img"), &problem)) built.ReadFile("NET\\PROTOCOL.INI", &protocolIni);
    } else {
      CreateNetDir(view, list, program);
      protocolIni = ReadTestFile(target / "NET\\PROTOCOL.INI");
    }
    const bool written = !ListTree(target.path()).empty();
    RemoveTestTree(target / "NET");
    port::RemoveFile(target / "BootDisk.img");
    if (view.boxes.size() != 1 || view.boxes[0].caption != "创建成功") {
      if (written) return "<written, yet refused>";
      return view.boxes.empty() ? "<nothing shown>" : view.boxes[0].caption + ": " + view.boxes[0].text;
    }
    const std::size_t at = protocolIni.find("[NIC]\r\n");  // the sample template's card section
    return at == std::string::npos ? "<no card section>" : protocolIni.substr(at + 7, protocolIni.find('\r', at + 7) - at - 7);
  }

  TempFolder target;
};

TEST_F(CardDeviceNameTest, TheNameComesFromTheCardIniThenOemSetupThenTheFileName) {
  const struct {
    const char* what;
    const char* driver;
    const char* cardIni;    // nullptr: none
    const char* oemSetup;   // nullptr: none
    std::string expected;   // the line, or what the refusal names
  } cases[] = {
      {"an MS client PROTOCOL.INI", "NE2000.DOS", kMsClientIni, nullptr, "DriverName=MS2000$"},
      {"two instances", "E1000.DOS", "[E1000_2]\r\nDriverName=E10002$\r\n[E1000_1]\r\nDriverName=E1000$\r\n",
       nullptr, "DriverName=E1000$"},
      {"lower case, as spelled", "EL90X.DOS", "[el90x_nif]\r\ndrivername=el90x$\r\n", nullptr, "DriverName=el90x$"},
      {"the card INI first", "NE2000.DOS", "[NIC]\r\nDriverName=NE2000$\r\n", kOemSetup, "DriverName=NE2000$"},
      {"OEMSETUP.INF only", "NE2000.DOS", nullptr, kOemSetup, "DriverName=MS2000$"},
      {"a card INI without a card section", "NE2000.DOS", "[protman]\r\nDriverName=PROTMAN$\r\n", kOemSetup,
       "DriverName=MS2000$"},
      {"a comment after the name, an empty first section", "NE2000.DOS",
       "[NIC1]\r\nDriverName=\r\n[NIC2]\r\nDriverName=MS2000$   ; NE2000 compatible\r\n", nullptr,
       "DriverName=MS2000$"},
      {"neither", "RTL8139.DOS", nullptr, nullptr, "DriverName=RTL8139$"},
      {"a driver file name DOS cannot load, whatever its INI says", "RTL8139NEW.DOS",
       "[NIC]\r\nDriverName=RTL8139$\r\n", nullptr, "8.3"},
      {"a 9-character name from the file name", "RTL8139X.DOS", nullptr, nullptr, "创建错误: 网卡驱动程序"},
      {"a name with a blank from the card INI", "MYNIC.DOS", "[NIC]\r\nDriverName=MY NIC$\r\n", nullptr,
       "MYNIC.INI"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string folder = library + "\\" + c.what;
    const std::string driverPath = folder + "\\" + c.driver;
    WriteTestFile(driverPath, "driver");
    if (c.cardIni != nullptr) WriteTestFile(folder + "\\" + cp936::BaseNameOf(c.driver) + ".INI", c.cardIni);
    if (c.oemSetup != nullptr) WriteTestFile(folder + "\\OEMSETUP.INF", c.oemSetup);
    for (bool image : {false, true}) {
      const std::string built = Built(driverPath, image);
      EXPECT_NE(built.find(c.expected), std::string::npos) << (image ? "image: " : "folder: ") << built;
    }
  }
}

}  // namespace
