#include "fat/image.h"

#include <gtest/gtest.h>

#include "support/fat_test_image.h"

namespace {

const fat::DosStamp kStamp = fat::MakeDosStamp(2026, 12, 7, 17, 30, 44);

// The 12-bit FAT entry of `cluster` in the FAT copy starting at `fat`.
std::uint32_t Fat12(const std::string& image, std::size_t fat, std::uint32_t cluster) {
  const std::uint32_t pair = Le16At(image, fat + cluster + cluster / 2);
  return cluster % 2 == 0 ? pair & 0xFFF : pair >> 4;
}

// Sets the 12-bit FAT entry of `cluster` in both FATs of a MemoryFloppy.
void SetFat12(std::string* image, std::uint32_t cluster, std::uint32_t value) {
  for (std::size_t fat : {kFloppyFat, kFloppyFat + kFloppyFatBytes}) {
    const std::size_t at = fat + cluster + cluster / 2;
    const std::uint32_t pair = Le16At(*image, at);
    const std::uint32_t both = cluster % 2 == 0 ? (pair & 0xF000) | value : (pair & 0x000F) | value << 4;
    (*image)[at] = static_cast<char>(both & 0xFF);
    (*image)[at + 1] = static_cast<char>(both >> 8);
  }
}

fat::Image Opened(const std::string& bytes) {
  fat::Image image;
  std::string problem;
  EXPECT_TRUE(image.Open(bytes, &problem)) << problem;
  return image;
}

// The refusal's reason, or "" when the bytes are taken.
std::string Refusal(const std::string& bytes) {
  fat::Image image;
  std::string problem;
  return image.Open(bytes, &problem) ? std::string() : (problem.empty() ? "<no reason>" : problem);
}

TEST(FatImageTest, ReadsFoldersAndFiles) {
  const fat::Image image = Opened(MemoryFloppy({{"SYSTEM.INI", "netcard=x\r\n"}, {"EMPTY.TXT", ""}}));
  EXPECT_EQ(image.Find("NET"), fat::Image::Entry::kFolder);
  EXPECT_EQ(image.Find("net"), fat::Image::Entry::kFolder);
  EXPECT_EQ(image.Find("NET\\system.ini"), fat::Image::Entry::kFile);
  EXPECT_EQ(image.Find("NET\\PROTOCOL.INI"), fat::Image::Entry::kMissing);
  EXPECT_EQ(image.Find("TOVRELLT.EST"), fat::Image::Entry::kMissing);  // the volume label is no file
  std::string content;
  ASSERT_TRUE(image.ReadFile("NET\\SYSTEM.INI", &content));
  EXPECT_EQ(content, "netcard=x\r\n");
  ASSERT_TRUE(image.ReadFile("NET\\EMPTY.TXT", &content));
  EXPECT_EQ(content, "");
  EXPECT_FALSE(image.ReadFile("NET", &content));
}

TEST(FatImageTest, ReplacingAFileFreesItsClustersAndKeepsItsEntry) {
  const std::string big(3000, 'b');  // six clusters
  const std::string before = MemoryFloppy({{"A.TXT", big}, {"B.TXT", "after A"}});
  fat::Image image = Opened(before);
  const std::uint32_t free = image.FreeClusters();
  std::string problem;
  ASSERT_TRUE(image.WriteFile("NET\\a.txt", "small", kStamp, &problem)) << problem;
  EXPECT_EQ(image.FreeClusters(), free + 5);

  const std::string& after = image.bytes();
  std::string content;
  ASSERT_TRUE(image.ReadFile("NET\\A.TXT", &content));
  EXPECT_EQ(content, "small");
  ASSERT_TRUE(image.ReadFile("NET\\B.TXT", &content));
  EXPECT_EQ(content, "after A");
  // Both FATs alike; boot sector and root untouched.
  EXPECT_EQ(after.substr(kFloppyFat, kFloppyFatBytes), after.substr(kFloppyFat + kFloppyFatBytes, kFloppyFatBytes));
  EXPECT_EQ(after.substr(0, kFloppyFat), before.substr(0, kFloppyFat));
  EXPECT_EQ(after.substr(kFloppyRoot, 224 * 32), before.substr(kFloppyRoot, 224 * 32));
  // The entry (slot 2 of NET, after "." and "..") keeps name, attributes
  // and creation time; size, cluster and modification time follow the write.
  const std::size_t entry = kFloppyRoot + 14 * 512 + 2 * 32;
  EXPECT_EQ(after.substr(entry, 18), before.substr(entry, 18));
  EXPECT_EQ(Le16At(after, entry + 22), kStamp.time);
  EXPECT_EQ(Le16At(after, entry + 24), kStamp.date);
  EXPECT_EQ(Le16At(after, entry + 28), 5u);
  // Freed clusters are reused first, lowest first: the file lands where it was.
  EXPECT_EQ(Le16At(after, entry + 26), Le16At(before, entry + 26));
  // Slack after the content is cleared.
  const std::size_t data = kFloppyRoot + 14 * 512 + (Le16At(after, entry + 26) - 2) * 512;
  EXPECT_EQ(after.substr(data, 512), "small" + std::string(507, '\0'));

  ASSERT_TRUE(image.WriteFile("NET\\A.TXT", big + big, kStamp, &problem)) << problem;
  ASSERT_TRUE(image.ReadFile("NET\\A.TXT", &content));
  EXPECT_EQ(content, big + big);
  EXPECT_EQ(image.FreeClusters(), free - 6);
  ASSERT_TRUE(image.WriteFile("NET\\A.TXT", "", kStamp, &problem)) << problem;
  EXPECT_EQ(Le16At(image.bytes(), entry + 26), 0u);
  EXPECT_EQ(image.FreeClusters(), free + 6);
  EXPECT_EQ(Refusal(image.bytes()), "");
}

TEST(FatImageTest, ANewFileGetsAnArchiveEntryAndTheFolderGrowsWhenFull) {
  // 16 entries fill NET's one-sector cluster: ".", "..", and 14 files.
  TestFiles files;
  for (int i = 0; i < 14; ++i) files.push_back({"F" + std::to_string(i) + ".TXT", "file " + std::to_string(i)});
  fat::Image image = Opened(MemoryFloppy(files));
  const std::uint32_t free = image.FreeClusters();
  std::string problem;
  ASSERT_TRUE(image.WriteFile("NET\\e100b.dos", "driver", kStamp, &problem)) << problem;
  EXPECT_EQ(image.FreeClusters(), free - 2);  // a cluster for the folder, one for the file
  EXPECT_EQ(Refusal(image.bytes()), "");
  std::string content;
  ASSERT_TRUE(image.ReadFile("NET\\E100B.DOS", &content));
  EXPECT_EQ(content, "driver");
  for (const auto& file : files) {
    ASSERT_TRUE(image.ReadFile("NET\\" + file.first, &content));
    EXPECT_EQ(content, file.second);
  }
  // NET's chain: cluster 2, then the new folder cluster, then an end.
  const std::string& bytes = image.bytes();
  const std::uint32_t next = Fat12(bytes, kFloppyFat, 2);
  ASSERT_GE(next, 3u);
  ASSERT_LT(next, 0xFF8u);
  EXPECT_GE(Fat12(bytes, kFloppyFat, next), 0xFF8u);
  const std::size_t entry = kFloppyRoot + 14 * 512 + (next - 2) * 512;
  EXPECT_EQ(bytes.substr(entry, 11), "E100B   DOS");
  EXPECT_EQ(bytes[entry + 11], '\x20');
  EXPECT_EQ(bytes[entry + 12], '\x18');  // shown in lower case, as the library spells it
  EXPECT_EQ(Le16At(bytes, entry + 14), kStamp.time);
  EXPECT_EQ(Le16At(bytes, entry + 16), kStamp.date);
  EXPECT_EQ(Le16At(bytes, entry + 22), kStamp.time);
  EXPECT_EQ(Le16At(bytes, entry + 24), kStamp.date);
  EXPECT_EQ(bytes.substr(entry + 32, 32), std::string(32, '\0'));  // the folder's end
}

TEST(FatImageTest, WritesThatCannotBeDoneAreRefused) {
  fat::Image image = Opened(MemoryFloppy({{"SYSTEM.INI", "x"}}));
  std::string problem;
  EXPECT_FALSE(image.WriteFile("NET\\RTL8139NEW.DOS", "x", kStamp, &problem));
  EXPECT_NE(problem.find("RTL8139NEW.DOS"), std::string::npos);
  EXPECT_FALSE(image.WriteFile("NONE\\A.DOS", "x", kStamp, &problem));
  EXPECT_FALSE(image.WriteFile("NET", "x", kStamp, &problem));  // a folder is no file
  const std::uint32_t free = image.FreeClusters();
  problem.clear();
  EXPECT_FALSE(image.WriteFile("NET\\HUGE.DOS", std::string((free + 1) * 512, 'h'), kStamp, &problem));
  EXPECT_NE(problem.find("空间"), std::string::npos) << problem;
  // Whatever is left, the sizes in the reason never read as enough.
  const struct {
    std::uint32_t leftClusters;
    std::size_t bytes;
    const char* sizes;
  } spaces[] = {{0, 16, "需要16字节，只剩0字节"}, {1, 600, "需要600字节，只剩512字节"}, {3, 1600, "需要2KB，只剩1KB"}};
  for (const auto& space : spaces) {
    const std::string filler((free - space.leftClusters) * 512, 'f');
    fat::Image nearlyFull = Opened(MemoryFloppy({{"SYSTEM.INI", "x"}}, {{"FILLER.BIN", filler}}));
    EXPECT_FALSE(nearlyFull.WriteFile("NET\\E100B.DOS", std::string(space.bytes, 'd'), kStamp, &problem));
    EXPECT_NE(problem.find(std::string("\\NET\\E100B.DOS（") + space.sizes + "）"), std::string::npos) << problem;
  }
  fat::Image fits = Opened(MemoryFloppy({{"SYSTEM.INI", "x"}}));
  EXPECT_TRUE(fits.WriteFile("NET\\HUGE.DOS", std::string(free * 512, 'h'), kStamp, &problem)) << problem;
  EXPECT_EQ(fits.FreeClusters(), 0u);
  EXPECT_EQ(Refusal(fits.bytes()), "");
}

TEST(FatImageTest, ImpossibleOrInconsistentBootSectorsAreRefused) {
  const std::string good = MemoryFloppy({{"SYSTEM.INI", "netcard=x\r\n"}});
  ASSERT_EQ(Refusal(good), "");
  const struct {
    const char* what;
    std::size_t at;
    std::string bytes;
  } cases[] = {
      {"bytes per sector 0", 11, std::string("\0\0", 2)},
      {"bytes per sector 500", 11, "\xF4\x01"},
      {"bytes per sector 8192", 11, std::string("\0\x20", 2)},
      {"sectors per cluster 0", 13, std::string(1, '\0')},
      {"sectors per cluster 3", 13, "\x03"},
      {"cluster of 64 KB", 13, "\x80"},
      {"no reserved sector", 14, std::string("\0\0", 2)},
      {"no FAT", 16, std::string(1, '\0')},
      {"three FATs", 16, "\x03"},
      {"no root entries", 17, std::string("\0\0", 2)},
      {"root entries not filling sectors", 17, std::string("\xE1\0", 2)},
      {"no total sectors", 19, std::string("\0\0", 2)},
      {"total sectors too few for the metadata", 19, std::string("\x1F\0", 2)},
      {"volume longer than the file", 19, std::string("\x41\x0B", 2)},
      {"media byte", 21, "\x12"},
      {"no FAT size (FAT32)", 22, std::string("\0\0", 2)},
      {"FAT too small for the clusters", 22, std::string("\x08\0", 2)},
  };
  for (const auto& c : cases) {
    std::string bad = good;
    bad.replace(c.at, c.bytes.size(), c.bytes);
    EXPECT_NE(Refusal(bad), "") << c.what;
  }
  EXPECT_NE(Refusal(good.substr(0, good.size() - 1)), "") << "truncated";
  EXPECT_NE(Refusal(good.substr(0, 300)), "") << "shorter than a sector";
  EXPECT_NE(Refusal(std::string()), "") << "empty";
  EXPECT_NE(Refusal(good + std::string(fat::Image::kMaxImageBytes, '\0')), "") << "too big";
  EXPECT_EQ(Refusal(good + std::string(4096, '\0')), "") << "bytes after the volume are kept";
}

TEST(FatImageTest, RootEntriesNotFillingWholeSectorsAreNamedSo) {
  std::string bad = MemoryFloppy({{"SYSTEM.INI", "netcard=x\r\n"}});
  bad.replace(17, 2, std::string("\xE1\0", 2));  // 225 entries: 7200 bytes, 14 sectors and 32 bytes
  const std::string problem = Refusal(bad);
  EXPECT_NE(problem.find("225"), std::string::npos) << problem;
  EXPECT_NE(problem.find("整数个扇区"), std::string::npos) << problem;
}

TEST(FatImageTest, BrokenChainsAndEntriesAreRefused) {
  // NET: ".", "..", A.TXT (clusters 3-4), B.TXT (cluster 5).
  const std::string good = MemoryFloppy({{"A.TXT", std::string(600, 'a')}, {"B.TXT", "b"}});
  ASSERT_EQ(Refusal(good), "");
  const std::size_t a = kFloppyRoot + 14 * 512 + 2 * 32;
  const std::size_t b = a + 32;
  ASSERT_EQ(Le16At(good, a + 26), 3u);
  ASSERT_EQ(Le16At(good, b + 26), 5u);
  // Clusters 3 -> `c3`, 4 -> `c4`, and the `other` entries besides.
  const auto withFat = [&](std::uint32_t c3, std::uint32_t c4,
                           std::vector<std::pair<std::uint32_t, std::uint32_t>> other = {}) {
    std::string bad = good;
    other.insert(other.end(), {{3, c3}, {4, c4}});
    for (const auto& entry : other) SetFat12(&bad, entry.first, entry.second);
    return bad;
  };
  ASSERT_EQ(Refusal(withFat(4, 0xFFF)), "");
  const auto withEntry = [&](std::size_t at, std::size_t offset, std::string bytes) {
    std::string bad = good;
    bad.replace(at + offset, bytes.size(), bytes);
    return bad;
  };
  const struct {
    const char* what;
    std::string image;
  } cases[] = {
      {"a loop", withFat(4, 3)},
      {"a cluster looping on itself", withFat(3, 0xFFF)},
      {"past the volume", withFat(0xB40, 0xFFF)},
      {"into a free cluster", withFat(4, 0)},
      {"into a bad cluster", withFat(4, 0xFF7)},
      {"shorter than the size", withFat(0xFFF, 0)},
      {"cross-linked with B.TXT", withFat(4, 5)},
      {"one FAT differs", [&] {
         std::string bad = good;
         bad[kFloppyFat + kFloppyFatBytes + 100] = 1;
         return bad;
       }()},
      {"a lost cluster leading into a free one", withFat(4, 0xFFF, {{200, 255}})},
      {"a lost cluster leading into a file", withFat(4, 0xFFF, {{6, 4}})},
      {"two lost chains joining", withFat(4, 0xFFF, {{6, 8}, {7, 8}, {8, 0xFFF}})},
      {"lost clusters in a ring", withFat(4, 0xFFF, {{6, 7}, {7, 6}})},
      {"size without clusters", withEntry(b, 26, std::string("\0\0", 2))},
      {"size longer than the chain", withEntry(b, 28, "\x01\x02")},
      {"first cluster past the volume", withEntry(b, 26, "\xFF\x0F")},
      {"two entries sharing a chain", withEntry(b, 26, std::string("\x03\0", 2))},
      {"a bad short name", withEntry(b, 0, "B?")},
      {"a blank inside the name", withEntry(b, 0, "B X")},
      {"a duplicate name", withEntry(b, 0, "A       TXT")},
      {"reserved attribute bits", withEntry(b, 11, "\x60")},
      {"a folder with a size", withEntry(kFloppyRoot + 32, 28, "\x01")},
      {"a missing dot entry", withEntry(kFloppyRoot + 14 * 512, 0, "X")},
      {"a wrong dotdot cluster", withEntry(kFloppyRoot + 14 * 512 + 32, 26, "\x05")},
      {"an orphaned long-name part", withEntry(b, 11, "\x0F")},
      {"a live entry after the end mark", withEntry(b + 64, 0, "C       TXT")},
  };
  for (const auto& c : cases) EXPECT_NE(Refusal(c.image), "") << c.what;
}

TEST(FatImageTest, AVolumeBehindAMasterBootRecordIsFound) {
  const std::string volume = MemoryFloppy({{"SYSTEM.INI", "netcard=x\r\n"}});
  std::string mbr(63 * 512, '\0');
  mbr.replace(0, 4, "\xFA\x33\xC0\x8E");  // some code, no boot sector values
  const unsigned char partition[16] = {0x80, 1, 1, 0, 0x01, 0xFE, 0xFF, 0xFF, 63, 0, 0, 0, 0x40, 0x0B, 0, 0};
  mbr.replace(446, 16, reinterpret_cast<const char*>(partition), 16);
  mbr[510] = '\x55';
  mbr[511] = '\xAA';
  fat::Image image = Opened(mbr + volume);
  std::string problem;
  ASSERT_TRUE(image.WriteFile("NET\\E100B.DOS", "driver", kStamp, &problem)) << problem;
  EXPECT_EQ(image.bytes().substr(0, mbr.size()), mbr);
  EXPECT_EQ(Refusal(image.bytes().substr(mbr.size())), "");
  std::string content;
  ASSERT_TRUE(image.ReadFile("NET\\E100B.DOS", &content));
  EXPECT_EQ(content, "driver");

  std::string other = mbr + volume;
  other[446 + 4] = 0x07;  // NTFS
  EXPECT_NE(Refusal(other), "");
  std::string small = mbr + volume;
  small[446 + 12] = 0x10;  // a partition smaller than its volume
  EXPECT_NE(Refusal(small), "");
  EXPECT_NE(Refusal(mbr + volume.substr(0, 100 * 512)), "");  // cut short
}

}  // namespace
