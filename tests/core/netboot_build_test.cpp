// The network boot folder: an image per card, named after its driver, menus
// that show every card and boot a card by its PCI ids, and the cards that
// cannot get an image named with the reason.
#include "netboot/netboot_build.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "card_command_fixture.h"
#include "fat/image.h"
#include "library/pci_ids.h"
#include "port/file_system.h"
#include "support/utf16_text.h"
#include "window/build_commands.h"

namespace {

using Texts = std::vector<std::string>;

class NetbootBuildTest : public SampleProgramTest {
 protected:
  void SetUp() override {
    SampleProgramTest::SetUp();
    WriteTemplateImage();
    list.Clear();
    view.rows.clear();
  }

  void Build() {
    view.boxes.clear();
    view.AnswerTargetPath(target.path());
    CreateNetbootFolder(view, list, program);
  }

  bool Holds(const std::string& file, const std::string& text) const {
    return ReadTestFile(target / ("netboot\\" + file)).find(text) != std::string::npos;
  }

  TempFolder target;
};

TEST_F(NetbootBuildTest, EveryCardGetsItsImageOrIsNamedWithItsReason) {
  // The ids a Windows INF file gives, in UTF-16 as they often are.
  const std::string utf16 = Utf16("pci\\ven_10ec&dev_8139\r\nPCI\\VEN_10EC&DEV_8129&SUBSYS_00000000\r\n");
  const struct {
    const char* folder;
    const char* driver;
    const char* inf;        // a Windows INF beside the driver, or nullptr
    const char* image;      // "": left out
    const char* shown;      // the menu title, or the reason it was left out
  } cards[] = {
      // Ids in a comment are no ids; an image name another card's numbering
      // took is numbered past.
      {"RTL8139", "RTL8139.DOS", "; PCI\\VEN_1111&DEV_2222\r\nPCI\\VEN_10EC&DEV_8139&SUBSYS_813910EC", "RTL8139.IMG",
       "RTL8139"},
      {"RTL8139B", "rtl8139.dos", nullptr, "RTL8139-2.IMG", "RTL8139B"},  // 10ec:8139 is the first card's
      {"ONE", "E1000-2.DOS", nullptr, "E1000-2.IMG", "ONE"},
      {"\xCD\xF8\xBF\xA8", "E1000.DOS", "%E1000%=E1000,PCI\\VEN_8086&DEV_100E", "E1000.IMG", "E1000.DOS"},
      {"TWO", "E1000.DOS", nullptr, "E1000-3.IMG", "TWO"},
      {"RTL8139NEW", "RTL8139NEW.DOS", nullptr, "", "8.3"},
      {"LONGNAME", "LONGNAME.DOS", nullptr, "", "LONGNAME$"},
      {"GONE", "GONE.DOS", nullptr, "", "无法读取"},
      {"A\\NIC", "X1.DOS", nullptr, "X1.IMG", "NIC (row 9)"},
      {"B\\NIC", "X2.DOS", nullptr, "X2.IMG", "NIC (row 10)"},
      // A folder of two cards' drivers: only the INF named after a driver
      // is its own.
      {"NDIS", "E100B.DOS", "PCI\\VEN_8086&DEV_1229", "E100B.IMG", "NDIS (row 11)"},
      {"NDIS", "E1000.DOS", nullptr, "E1000-4.IMG", "NDIS (row 12)"},
      // A DOS name iPXE would read as an option ("initrd -NIC.IMG").
      {"-NIC", "-NIC.DOS", nullptr, "CARD13.IMG", "-NIC"},
  };
  Texts images = {"ALL.IMG", "menu.cfg", "menu.ipxe"};
  for (const auto& c : cards) {
    Show(LayOutCard(c.folder, c.driver));
    if (c.inf != nullptr) WriteTestFile(library + "\\" + c.folder + "\\NET.INF", c.inf);
    if (*c.image != '\0') images.push_back(c.image);
  }
  WriteTestFile(library + "\\RTL8139B\\OEM.INF", utf16);
  WriteTestFile(library + "\\NDIS\\E1000.INF", "PCI\\VEN_8086&DEV_1004");
  port::RemoveFile(library + "\\GONE\\GONE.DOS");
  Build();

  std::sort(images.begin(), images.end());
  EXPECT_EQ(ListTree(target / "netboot"), images);
  ASSERT_EQ(view.boxes.size(), 1u);
  const std::string& text = view.boxes[0].text;
  EXPECT_EQ(view.boxes[0].caption, "创建成功");
  EXPECT_EQ(text.rfind("网络启动目录创建成功！\n", 0), 0u) << text;
  EXPECT_NE(text.find("为10块网卡创建了启动镜像，其中4块"), std::string::npos) << text;
  for (const auto& c : cards) {
    SCOPED_TRACE(c.folder);
    if (*c.image == '\0') {
      EXPECT_NE(text.find(cp936::FileNameOf(c.folder) + "（第"), std::string::npos) << text;
      EXPECT_NE(text.find(c.shown), std::string::npos) << text;
      continue;
    }
    EXPECT_TRUE(Holds("menu.cfg", "MENU LABEL " + std::string(c.shown) + "\n  KERNEL memdisk\n  INITRD netboot/" +
                                      c.image + "\n  APPEND floppy\n"));
    fat::Image image;
    std::string problem, protocolIni;
    ASSERT_TRUE(image.Open(ReadTestFile(target / ("netboot\\" + std::string(c.image))), &problem)) << problem;
    ASSERT_TRUE(image.ReadFile("NET\\PROTOCOL.INI", &protocolIni));
    EXPECT_NE(protocolIni.find("DriverName=" + cp936::BaseNameOf(c.driver) + "$\r\n"), std::string::npos);
  }
  // The first card claiming an id boots by it; the menu shows every card.
  EXPECT_TRUE(Holds("menu.ipxe", "iseq ${netX/busid} 01:10:ec:81:39 && goto card1 ||\n"
                                 "iseq ${netX/busid} 01:10:ec:81:29 && goto card2 ||\n"
                                 "iseq ${netX/busid} 01:80:86:10:0e && goto card4 ||\n"
                                 "iseq ${netX/busid} 01:80:86:10:04 && goto card9 ||\n\n"));
  EXPECT_FALSE(Holds("menu.ipxe", "01:11:11") || Holds("menu.ipxe", "01:80:86:12:29"));
  EXPECT_TRUE(Holds("menu.ipxe", ":card2\nkernel ../memdisk floppy || goto failed\ninitrd RTL8139-2.IMG"));
  EXPECT_TRUE(Holds("menu.ipxe", "item card7 NIC (row 10)\n"));
  // A title of blanks is no title: the next choice is shown.
  EXPECT_EQ(MenuEntriesOf({{0, "   ", "NIC.DOS", false, {}}}).front().title, "NIC.DOS");
}

TEST_F(NetbootBuildTest, ACardsIdsAreTheHardwareIdsWindowsReadsInItsInfFiles) {
  const struct {
    const char* what;
    std::string inf;
    const char* ids;  // vendor:device, in the order first met
  } cases[] = {
      // A quoted string is text, a ';' in it no comment, a doubled quote
      // in it one quote.
      {"a quoted note", "[Strings]\r\nNote=\"replaces PCI\\VEN_1111&DEV_2222\"\r\n%D%=I,PCI\\VEN_10EC&DEV_8139\r\n",
       "10ec:8139"},
      {"a ';' in quotes", "%D%=\"A;B\",PCI\\VEN_10EC&DEV_8139\r\n", "10ec:8139"},
      {"a doubled quote", "Note=\"say \"\"hi\"\" PCI\\VEN_1111&DEV_2222\"\r\n", ""},
      // Four hex digits each, ending there.
      {"digits past the id", "PCI\\VEN_10EC&DEV_81399\r\nPCI\\VEN_10EC&DEV_8129,PCI\\VEN_8086&DEV_100E&SUBSYS_1\r\n",
       "10ec:8129 8086:100e"},
      {"a continued line", "%D%=I,PCI\\VEN_8086&\\\r\nDEV_100E\r\n", "8086:100e"},
      {"UTF-16 without a mark", Utf16("PCI\\VEN_10EC&DEV_8139\r\n", false, false), "10ec:8139"},
      {"UTF-16 big-endian without a mark", Utf16("PCI\\VEN_10EC&DEV_8139\r\n", true, false), "10ec:8139"},
      {"larger than 1 MB", "PCI\\VEN_10EC&DEV_8139\r\n" + std::string(1024 * 1024, ' '), ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string driver = LayOutCard(c.what, "NIC.DOS");
    WriteTestFile(library + "\\" + c.what + "\\NIC.INF", c.inf);
    std::string ids;
    for (const PciId& id : PciIdsOfCard(driver)) {
      char text[16];
      std::snprintf(text, sizeof text, "%s%04x:%04x", ids.empty() ? "" : " ", id.vendor, id.device);
      ids += text;
    }
    EXPECT_EQ(ids, c.ids);
  }
}

TEST_F(NetbootBuildTest, NoCardBuiltOrNoCardAtAllIsAFailureAndTheLabsFolderStays) {
  Build();  // an empty library
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].caption, "创建错误");
  EXPECT_EQ(view.dialogsRun, 0);

  WriteTestFile(target / "netboot\\OLD.IMG", "the lab's");
  Show(LayOutCard("RTL8139NEW", "RTL8139NEW.DOS"));
  Build();
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].caption, "创建错误");
  EXPECT_NE(view.boxes[0].text.find("RTL8139NEW"), std::string::npos);
  EXPECT_EQ(ListTree(target.path()), (Texts{"netboot\\", "netboot\\OLD.IMG"}));

  // An old folder held open is named as the network boot folder's.
  Show(LayOutCard("RTL8139", "RTL8139.DOS"));
  const auto lock = port::LockFile(target / "netboot\\OLD.IMG");
  Build();
  ASSERT_FALSE(view.boxes.empty());
  EXPECT_NE(view.boxes.back().text.find("网络启动目录没有创建"), std::string::npos) << view.boxes.back().text;

  // Into a folder that does not exist: the folder is named, not an image.
  view.boxes.clear();
  view.targetPathAnswers = {{true, target / "MISSING"}};
  CreateNetbootFolder(view, list, program);
  ASSERT_EQ(view.boxes.size(), 1u);
  EXPECT_EQ(view.boxes[0].text.rfind("目标文件夹" + target / "MISSING" + "不存在", 0), 0u) << view.boxes[0].text;
  EXPECT_EQ(view.boxes[0].text.find("。，"), std::string::npos) << view.boxes[0].text;
}

}  // namespace
