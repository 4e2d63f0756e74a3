#include "bootdisk/rewrite_boot_config.h"

#include <gtest/gtest.h>

#include <vector>

#include "library/card_device_name.h"
#include "port/file_system.h"
#include "support/headlines.h"
#include "support/temp_folder.h"

namespace {

using Texts = std::vector<std::string>;

const char kProtocolIni[] = "[NIC]\r\nDriverName=OLD$\r\n\r\n[PROTMAN]\r\nDriverName=PROTMAN$\r\n";
const char kSystemIni[] = "[network drivers]\r\nnetcard=OLD.DOS\r\ntransport=tcpdrv.dos\r\n";

class RewriteBootConfigTest : public ::testing::Test {
 protected:
  void Write(const std::string& systemIni, const std::string& protocolIni) {
    WriteTestFile(net + "\\SYSTEM.INI", systemIni);
    WriteTestFile(net + "\\PROTOCOL.INI", protocolIni);
  }
  bool Rewrite(const std::string& driverFileName) {
    return RewriteBootConfig(net + "\\", {driverFileName, DeviceNameFromFileName(driverFileName)}, &messages);
  }
  std::string SystemIni() const { return ReadTestFile(net + "\\SYSTEM.INI"); }
  std::string ProtocolIni() const { return ReadTestFile(net + "\\PROTOCOL.INI"); }

  TempFolder temp;
  std::string net = temp / "NET";
  Messages messages;
};

TEST_F(RewriteBootConfigTest, ReplacesTheNetcardLineWhereverItStands) {
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {"netcard=OLD.DOS\r\n[x]\r\n", "netcard=NICDRV.DOS\r\n[x]\r\n"},
      {"[network drivers]\r\nnetcard=OLD.DOS\r\ndevdir=A:\\NET\r\n",
       "[network drivers]\r\nnetcard=NICDRV.DOS\r\ndevdir=A:\\NET\r\n"},
      {"[network drivers]\r\nnetcard=OLD.DOS", "[network drivers]\r\nnetcard=NICDRV.DOS"},
      {"[a]\r\nnetcard=OLD.DOS\r\n", "[a]\r\nnetcard=NICDRV.DOS\r\n"},
      {"netcard=", "netcard=NICDRV.DOS"},
      // Lone line feeds and other bytes stay as they are.
      {"; \xCD\xF8\xBF\xA8\n[a]\nnetcard=OLD.DOS\n\n\x1A", "; \xCD\xF8\xBF\xA8\n[a]\nnetcard=NICDRV.DOS\n\n\x1A"},
      {"x\r\n\r\nnetcard=OLD.DOS\r\n\r\n", "x\r\n\r\nnetcard=NICDRV.DOS\r\n\r\n"},
  };
  for (const Case& c : cases) {
    Write(c.before, kProtocolIni);
    EXPECT_TRUE(Rewrite("NICDRV.DOS")) << c.before;
    EXPECT_EQ(SystemIni(), c.after);
  }
  EXPECT_EQ(messages, Texts{});
  EXPECT_FALSE(Exists(net + "\\TEMP.INI"));
}

TEST_F(RewriteBootConfigTest, TheNetcardLineTheClientReadsIsReplacedAndNoOther) {
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {"netcard=A.DOS\r\nnetcard=B.DOS\r\n", "netcard=NICDRV.DOS\r\nnetcard=B.DOS\r\n"},
      // The line the client reads: not a comment, its key netcard in any
      // letter case, blanks and tabs around it; the line as spelled first.
      {";netcard=OLD.DOS\r\nnetcard=REAL.DOS\r\n", ";netcard=OLD.DOS\r\nnetcard=NICDRV.DOS\r\n"},
      {"   netcard=OLD.DOS  ; old\r\n", "netcard=NICDRV.DOS\r\n"},
      {"[network drivers]\r\n\tNETCARD = OLD.DOS\r\n", "[network drivers]\r\nnetcard=NICDRV.DOS\r\n"},
      {"NetCard=OLD.DOS\r\nNETCARD=OLD.DOS\r\n", "netcard=NICDRV.DOS\r\nNETCARD=OLD.DOS\r\n"},
      {"NETCARD=OLD.DOS\r\nnetcard=REAL.DOS\r\n", "NETCARD=OLD.DOS\r\nnetcard=NICDRV.DOS\r\n"},
      // No line the client reads as netcard: left alone (the builds refuse it).
      {"\tx netcard=\r\n", "\tx netcard=\r\n"},
      {"; netcard=OLD.DOS\r\n", "; netcard=OLD.DOS\r\n"},
      // "n" as the second byte of a double-byte character is no start of
      // the key.
      {"\xB0netcard=OLD.DOS\r\nnetcard=REAL.DOS\r\n", "\xB0netcard=OLD.DOS\r\nnetcard=NICDRV.DOS\r\n"},
      // A carriage return inside a line is part of its text.
      {"a\rnetcard=OLD.DOS\r\n", "a\rnetcard=OLD.DOS\r\n"},
  };
  for (const Case& c : cases) {
    Write(c.before, kProtocolIni);
    EXPECT_TRUE(Rewrite("NICDRV.DOS")) << c.before;
    EXPECT_EQ(SystemIni(), c.after);
    EXPECT_EQ(ProtocolIni(), "[NIC]\r\nDriverName=NICDRV$\r\n\r\n[PROTMAN]\r\nDriverName=PROTMAN$\r\n");
  }
  EXPECT_EQ(messages, Texts{});
}

TEST_F(RewriteBootConfigTest, ReplacesTheCardsDriverNameLineWithTheDeviceName) {
  struct Case {
    const char* before;
    const char* after;
  };
  const Case cases[] = {
      {kProtocolIni, "[NIC]\r\nDriverName=NICDRV$\r\n\r\n[PROTMAN]\r\nDriverName=PROTMAN$\r\n"},
      {"DriverName=OLD$\r\n[PROTMAN]\r\n", "DriverName=NICDRV$\r\n[PROTMAN]\r\n"},
      {"[NIC]\nDriverName=OLD$\n[PROTMAN]\n", "[NIC]\nDriverName=NICDRV$\n[PROTMAN]\n"},
      // The card's section: the one the protocols bind to, else the first
      // with a DriverName that is not PROTMAN$ and no BINDINGS; its
      // DriverName in any letter case, blanks around "=".
      {"[NIC]\r\ndrivername=OLD$\r\nDRIVERNAME=OLD$\r\n", "[NIC]\r\nDriverName=NICDRV$\r\nDRIVERNAME=OLD$\r\n"},
      {"[TCPIP]\r\nDriverName=TCPIP$\r\nBINDINGS=NIC\r\n[NIC]\r\n\tDRIVERNAME = OLD$\r\n",
       "[TCPIP]\r\nDriverName=TCPIP$\r\nBINDINGS=NIC\r\n[NIC]\r\nDriverName=NICDRV$\r\n"},
      {"[protman]\r\ndrivername=PROTMAN$\r\n[MS$NDISHLP]\r\nDriverName=ndishlp$\r\nBINDINGS=MS$NE2\r\n"
       "[MS$NE2]\r\ndrivername=MS2000$\r\n",
       "[protman]\r\ndrivername=PROTMAN$\r\n[MS$NDISHLP]\r\nDriverName=ndishlp$\r\nBINDINGS=MS$NE2\r\n"
       "[MS$NE2]\r\nDriverName=NICDRV$\r\n"},
      {"[A]\r\nDriverName=A$\r\n[B]\r\nDriverName=B$\r\n[TCPIP]\r\nBINDINGS=X, B\r\n",
       "[A]\r\nDriverName=A$\r\n[B]\r\nDriverName=NICDRV$\r\n[TCPIP]\r\nBINDINGS=X, B\r\n"},
      // Values as the client reads them (quotes and blanks removed, any
      // letter case); the client's own devices are no card's.
      {"[A]\r\nDriverName=A$\r\n[NIC]\r\nDriverName=OLD$\r\n[TCPIP]\r\nBINDINGS=\" nic \"\r\n",
       "[A]\r\nDriverName=A$\r\n[NIC]\r\nDriverName=NICDRV$\r\n[TCPIP]\r\nBINDINGS=\" nic \"\r\n"},
      {"[A]\r\nDriverName=A$\r\n[NIC]\r\nDriverName=OLD$\r\n[TCPIP]\r\nBINDINGS=\"X\",\"NIC\"\r\n",
       "[A]\r\nDriverName=A$\r\n[NIC]\r\nDriverName=NICDRV$\r\n[TCPIP]\r\nBINDINGS=\"X\",\"NIC\"\r\n"},
      {"[PROTMAN]\r\nDriverName=\"PROTMAN$\"\r\n[NIC]\r\nDriverName=OLD$\r\n",
       "[PROTMAN]\r\nDriverName=\"PROTMAN$\"\r\n[NIC]\r\nDriverName=NICDRV$\r\n"},
      {"[TCPIP]\r\nDriverName=TCPIP$\r\n[NDISHLP]\r\nDriverName=ndishlp$\r\n[NIC]\r\nDriverName=OLD$\r\n",
       "[TCPIP]\r\nDriverName=TCPIP$\r\n[NDISHLP]\r\nDriverName=ndishlp$\r\n[NIC]\r\nDriverName=NICDRV$\r\n"},
      // A comment after a value is no part of it.
      {"[PROTMAN]\r\nDriverName=PROTMAN$ ; the manager\r\n[NIC]\r\nDriverName=OLD$\r\n",
       "[PROTMAN]\r\nDriverName=PROTMAN$ ; the manager\r\n[NIC]\r\nDriverName=NICDRV$\r\n"},
      // No card line the client reads: left alone (the builds refuse it),
      // also where the section bound to has none, or it follows a Ctrl-Z.
      {"[NIC]\r\n  ;DriverName=OLD$ old", "[NIC]\r\n  ;DriverName=OLD$ old"},
      {"[A]\r\nDriverName=A$\r\n[B]\r\nIO=1\r\n[TCPIP]\r\nBINDINGS=B\r\n",
       "[A]\r\nDriverName=A$\r\n[B]\r\nIO=1\r\n[TCPIP]\r\nBINDINGS=B\r\n"},
      {"[PROTMAN]\r\nDriverName=PROTMAN$\r\n\x1A[NIC]\r\nDriverName=OLD$\r\n",
       "[PROTMAN]\r\nDriverName=PROTMAN$\r\n\x1A[NIC]\r\nDriverName=OLD$\r\n"},
      {"[PROTMAN]\r\nDriverName=PROTMAN$\r\n[TCPIP]\r\nDriverName=TCPIP$\r\nBINDINGS=NIC\r\n",
       "[PROTMAN]\r\nDriverName=PROTMAN$\r\n[TCPIP]\r\nDriverName=TCPIP$\r\nBINDINGS=NIC\r\n"},
  };
  for (const Case& c : cases) {
    Write(kSystemIni, c.before);
    EXPECT_TRUE(Rewrite("NICDRV.DOS")) << c.before;
    EXPECT_EQ(ProtocolIni(), c.after);
  }
  EXPECT_EQ(messages, Texts{});
  EXPECT_FALSE(Exists(net + "\\TEMP.INI"));
}

TEST_F(RewriteBootConfigTest, TheNamesAreTrimmedAndTheDeviceKeepsAllButTheLastDot) {
  struct Case {
    const char* driver;
    const char* netcard;
    const char* device;
  };
  const Case cases[] = {
      {"MY.NIC.DOS", "netcard=MY.NIC.DOS", "DriverName=MY.NIC$"},
      {" \tNICDRV.DOS\r\n", "netcard=NICDRV.DOS", "DriverName=NICDRV$"},
      {"NIC .DOS", "netcard=NIC .DOS", "DriverName=NIC$"},
      {"nicdrv.dos", "netcard=nicdrv.dos", "DriverName=nicdrv$"},
      {"\xCD\xF8\xBF\xA8.DOS", "netcard=\xCD\xF8\xBF\xA8.DOS", "DriverName=\xCD\xF8\xBF\xA8$"},
      {"100%s.DOS", "netcard=100%s.DOS", "DriverName=100%s$"},
  };
  for (const Case& c : cases) {
    Write("netcard=OLD.DOS\r\n", "DriverName=OLD$\r\n");
    EXPECT_TRUE(Rewrite(c.driver)) << c.driver;
    EXPECT_EQ(SystemIni(), std::string(c.netcard) + "\r\n");
    EXPECT_EQ(ProtocolIni(), std::string(c.device) + "\r\n");
  }
  EXPECT_EQ(messages, Texts{});
}

TEST_F(RewriteBootConfigTest, ANameWithoutADotFailsOnlyWhenProtocolIniNeedsADevice) {
  Write(kSystemIni, kProtocolIni);
  EXPECT_FALSE(Rewrite("NICDRV"));
  EXPECT_EQ(Headlines(messages), Texts{"文件拷贝失败！"});
  EXPECT_FALSE(Exists(net));

  messages.clear();
  Write(kSystemIni, "[PROTMAN]\r\n; no driver line\r\n");
  EXPECT_TRUE(Rewrite("NICDRV"));
  EXPECT_EQ(SystemIni(), "[network drivers]\r\nnetcard=NICDRV\r\ntransport=tcpdrv.dos\r\n");
  EXPECT_EQ(ProtocolIni(), "[PROTMAN]\r\n; no driver line\r\n");
  EXPECT_EQ(messages, Texts{});
}

TEST_F(RewriteBootConfigTest, AnEmptyNameEmptiesTheNetcardValueThenFails) {
  Write(kSystemIni, "[PROTMAN]\r\n");
  EXPECT_TRUE(Rewrite(""));
  EXPECT_EQ(SystemIni(), "[network drivers]\r\nnetcard=\r\ntransport=tcpdrv.dos\r\n");

  Write(kSystemIni, kProtocolIni);
  EXPECT_FALSE(Rewrite("  "));
  EXPECT_EQ(Headlines(messages), Texts{"文件拷贝失败！"});
  EXPECT_FALSE(Exists(net));
}

TEST_F(RewriteBootConfigTest, AStaleTempFileIsOverwrittenAndGone) {
  Write(kSystemIni, kProtocolIni);
  WriteTestFile(net + "\\TEMP.INI", "left over from an earlier run\r\n");
  EXPECT_TRUE(Rewrite("NICDRV.DOS"));
  EXPECT_EQ(SystemIni(), "[network drivers]\r\nnetcard=NICDRV.DOS\r\ntransport=tcpdrv.dos\r\n");
  EXPECT_FALSE(Exists(net + "\\TEMP.INI"));
  EXPECT_EQ(messages, Texts{});
}

TEST_F(RewriteBootConfigTest, AMissingIniFileAbortsTheNetFolder) {
  WriteTestFile(net + "\\PROTOCOL.INI", kProtocolIni);
  EXPECT_FALSE(Rewrite("NICDRV.DOS"));
  EXPECT_EQ(Headlines(messages), Texts{"文件拷贝失败！"});
  EXPECT_FALSE(Exists(net));

  messages.clear();
  WriteTestFile(net + "\\SYSTEM.INI", kSystemIni);
  EXPECT_FALSE(Rewrite("NICDRV.DOS"));
  EXPECT_EQ(Headlines(messages), Texts{"文件拷贝失败！"});
  EXPECT_FALSE(Exists(net));
}

TEST_F(RewriteBootConfigTest, AMissingNetFolderCannotTakeTheTempFile) {
  EXPECT_FALSE(Rewrite("NICDRV.DOS"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "创建文件失败!");
  EXPECT_FALSE(Exists(net));
}

TEST_F(RewriteBootConfigTest, ReadOnlyCopiesFromReadOnlyMediaAreRewritten) {
  Write(kSystemIni, kProtocolIni);
  ASSERT_TRUE(port::SetAttributes(net + "\\SYSTEM.INI", port::kAttrReadOnly));
  ASSERT_TRUE(port::SetAttributes(net + "\\PROTOCOL.INI", port::kAttrReadOnly));
  EXPECT_TRUE(Rewrite("NICDRV.DOS"));
  EXPECT_EQ(SystemIni(), "[network drivers]\r\nnetcard=NICDRV.DOS\r\ntransport=tcpdrv.dos\r\n");
  EXPECT_EQ(ProtocolIni(), "[NIC]\r\nDriverName=NICDRV$\r\n\r\n[PROTMAN]\r\nDriverName=PROTMAN$\r\n");
  EXPECT_EQ(messages, Texts{});
}

TEST_F(RewriteBootConfigTest, AFileHeldOpenElsewhereKeepsItsContentAndNoTempFileRemains) {
  Write(kSystemIni, kProtocolIni);
  {
    const auto lock = port::LockFile(net + "\\SYSTEM.INI");
    ASSERT_NE(lock, nullptr);
    EXPECT_FALSE(Rewrite("NICDRV.DOS"));
  }
  EXPECT_EQ(SystemIni(), kSystemIni);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(Headline(messages[0]), "文件拷贝失败！");
  EXPECT_FALSE(Exists(net + "\\TEMP.INI"));

  messages.clear();
  Write(kSystemIni, kProtocolIni);
  {
    const auto lock = port::LockFile(net + "\\PROTOCOL.INI");
    ASSERT_NE(lock, nullptr);
    EXPECT_FALSE(Rewrite("NICDRV.DOS"));
  }
  EXPECT_EQ(ProtocolIni(), kProtocolIni);
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(Headline(messages[0]), "文件拷贝失败！");
  EXPECT_FALSE(Exists(net + "\\TEMP.INI"));
}

TEST_F(RewriteBootConfigTest, AReadOnlyStaleTempFileCannotBeCreatedAndNothingIsRemoved) {
  Write(kSystemIni, kProtocolIni);
  WriteTestFile(net + "\\TEMP.INI", "stale");
  ASSERT_TRUE(port::SetAttributes(net + "\\TEMP.INI", port::kAttrReadOnly));
  EXPECT_FALSE(Rewrite("NICDRV.DOS"));
  EXPECT_EQ(messages, Texts{"创建文件失败!"});
  EXPECT_EQ(SystemIni(), kSystemIni);
  EXPECT_EQ(ProtocolIni(), kProtocolIni);
}

TEST_F(RewriteBootConfigTest, TheFolderMayBeGivenWithoutTrailingBackslash) {
  Write(kSystemIni, kProtocolIni);
  EXPECT_TRUE(RewriteBootConfig(net, {"NICDRV.DOS", "NICDRV$"}, &messages));
  EXPECT_EQ(SystemIni(), "[network drivers]\r\nnetcard=NICDRV.DOS\r\ntransport=tcpdrv.dos\r\n");
  EXPECT_EQ(ProtocolIni(), "[NIC]\r\nDriverName=NICDRV$\r\n\r\n[PROTMAN]\r\nDriverName=PROTMAN$\r\n");
}

}  // namespace
