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
#include "support/utf16_text.h"
#include "window/build_commands.h"

namespace {

using namespace std::string_literals;

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
  // Larger than any real card INI or OEMSETUP.INF: not read.
  const std::string padding(1024 * 1024, ' ');
  const struct {
    const char* what;
    const char* driver;
    std::string cardIni;    // "": none
    std::string oemSetup;   // "": none
    std::string expected;   // the line, or what the refusal names
  } cases[] = {
      {"an MS client PROTOCOL.INI", "NE2000.DOS", kMsClientIni, "", "DriverName=MS2000$"},
      {"two instances", "E1000.DOS", "[E1000_2]\r\nDriverName=E10002$\r\n[E1000_1]\r\nDriverName=E1000$\r\n",
       "", "DriverName=E1000$"},
      {"lower case, as spelled", "EL90X.DOS", "[el90x_nif]\r\ndrivername=el90x$\r\n", "", "DriverName=el90x$"},
      {"the card INI first", "NE2000.DOS", "[NIC]\r\nDriverName=NE2000$\r\n", kOemSetup, "DriverName=NE2000$"},
      {"OEMSETUP.INF only", "NE2000.DOS", "", kOemSetup, "DriverName=MS2000$"},
      {"a card INI without a card section", "NE2000.DOS", "[protman]\r\nDriverName=PROTMAN$\r\n", kOemSetup,
       "DriverName=MS2000$"},
      {"a comment after the name, an empty first section", "NE2000.DOS",
       "[NIC1]\r\nDriverName=\r\n[NIC2]\r\nDriverName=MS2000$   ; NE2000 compatible\r\n", "",
       "DriverName=MS2000$"},
      // Values as the client reads them, and never a device of the
      // client's own drivers.
      {"a quoted PROTMAN$", "NE2000.DOS", "[PROTMAN]\r\nDriverName=\"PROTMAN$\"\r\n[NIC]\r\nDriverName=MS2000$\r\n", "",
       "DriverName=MS2000$"},
      {"protocols without BINDINGS first", "NE2000.DOS",
       "[TCPIP]\r\nDriverName=TCPIP$\r\n[NDISHLP]\r\nDriverName=ndishlp$\r\n[NIC]\r\nDriverName=MS2000$\r\n", "",
       "DriverName=MS2000$"},
      {"a quoted name with blanks", "NE2000.DOS", "[NIC]\r\nDriverName=\" MS2000$ \"\r\n", "", "DriverName=MS2000$"},
      {"an empty first DriverName of the section", "NE2000.DOS", "[NIC]\r\nDriverName=\r\nDriverName=MS2000$\r\n", "",
       "DriverName=MS2000$"},
      // Card INIs in any encoding and line ends.
      {"UTF-16 with its mark", "NE2000.DOS", Utf16(kMsClientIni, false, true), "", "DriverName=MS2000$"},
      {"UTF-16 big-endian without a mark", "NE2000.DOS", Utf16(kMsClientIni, true, false), "", "DriverName=MS2000$"},
      {"a UTF-8 mark", "NE2000.DOS", "\xEF\xBB\xBF" "DriverName=MS2000$\r\n", "", "DriverName=MS2000$"},
      {"lone carriage returns", "NE2000.DOS", "[PROTMAN]\rDriverName=PROTMAN$\r[NIC]\rDriverName=MS2000$\r", "",
       "DriverName=MS2000$"},
      {"neither", "RTL8139.DOS", "", "", "DriverName=RTL8139$"},
      {"a driver file name DOS cannot load, whatever its INI says", "RTL8139NEW.DOS",
       "[NIC]\r\nDriverName=RTL8139$\r\n", "", "8.3"},
      {"a 9-character name from the file name", "RTL8139X.DOS", "", "", "创建错误: 网卡驱动程序"},
      {"a name with a blank from the card INI", "MYNIC.DOS", "[NIC]\r\nDriverName=MY NIC$\r\n", "", "MYNIC.INI"},
      // Names DOS cannot use are refused, shown so that nothing of them is
      // lost; a name from the file name says why the files gave none.
      {"a NUL in the name", "MYNIC.DOS", "[NIC]\r\nDriverName=MY\0NIC$\r\n"s, "", "“MY<00>NIC$”"},
      {"a bell", "MYNIC.DOS", "[NIC]\r\nDriverName=\aNIC$\r\n", "", "“<07>NIC$”"},
      {"half a character at the end", "MYNIC.DOS", "[NIC]\r\nDriverName=MYNIC\xB0\r\n", "", "以半个汉字结尾"},
      {"a ';' after no blank", "MYNIC.DOS", "[NIC]\r\nDriverName=NIC$;x\r\n", "", "“NIC$;x”"},
      {"a bare $", "MYNIC.DOS", "[NIC]\r\nDriverName=$\r\n", "", "只有“$”"},
      {"an empty section, a name too long", "RTL8139X.DOS", "[NIC]\r\nDriverName=\r\n", "",
       "RTL8139X.INI中网卡的节[NIC]的DriverName=是空的"},
      {"a card INI larger than 1 MB", "NE2000.DOS", "[NIC]\r\nDriverName=MS2000$\r\n" + padding, "",
       "NE2000.INI有1048603字节，大于1 MB"},
      {"an OEMSETUP.INF larger than 1 MB", "NE2000.DOS", "", kOemSetup + padding, "OEMSETUP.INF有"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string folder = library + "\\" + c.what;
    const std::string driverPath = folder + "\\" + c.driver;
    WriteTestFile(driverPath, "driver");
    if (!c.cardIni.empty()) WriteTestFile(folder + "\\" + cp936::BaseNameOf(c.driver) + ".INI", c.cardIni);
    if (!c.oemSetup.empty()) WriteTestFile(folder + "\\OEMSETUP.INF", c.oemSetup);
    for (bool image : {false, true}) {
      const std::string built = Built(driverPath, image);
      EXPECT_NE(built.find(c.expected), std::string::npos) << (image ? "image: " : "folder: ") << built;
    }
  }
}

}  // namespace
