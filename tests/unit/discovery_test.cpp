#include "shell/discovery.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/utf.h"

namespace {

PathExists Existing(std::set<std::u16string> paths, std::set<std::u16string>* asked = nullptr) {
  return [paths, asked](const std::u16string& p) {
    if (asked) asked->insert(p);
    return paths.count(p) > 0;
  };
}

std::string Narrow(const std::u16string& s) { return Utf16ToUtf8(s); }
std::u16string DeviceExe(int n) {
  return u"\\Program Files\\Varnelle\\TessaraMobile" + Utf8ToUtf16(std::to_string(n)) + u".exe";
}
std::u16string CardExe(int n) { return u"\\SD" + DeviceExe(n); }

TEST(ChooseMapApplication, HighestVersionWinsAndCardBeatsDeviceForTheSameVersion) {
  const struct {
    const char* name;
    std::set<std::u16string> files;
    std::u16string path;
    int version;
  } cases[] = {
      {"nothing anywhere", {}, u"", 0},
      {"card 9, device 11", {CardExe(9), DeviceExe(11)}, DeviceExe(11), 11},
      {"device 9, card 11", {DeviceExe(9), CardExe(11)}, CardExe(11), 11},
      {"10 in both places", {CardExe(10), DeviceExe(10)}, CardExe(10), 10},
      {"only device 8", {DeviceExe(8)}, DeviceExe(8), 8},
      {"every candidate", {CardExe(8), DeviceExe(8), CardExe(9), DeviceExe(9), CardExe(10),
                           DeviceExe(10), CardExe(11), DeviceExe(11)}, CardExe(11), 11},
      {"versions outside 8 to 11 are not looked for", {CardExe(7), DeviceExe(12)}, u"", 0},
  };
  for (const auto& c : cases) {
    MapApplicationChoice choice = ChooseMapApplication(u"SD", Existing(c.files));
    EXPECT_EQ(Narrow(choice.path), Narrow(c.path)) << c.name;
    EXPECT_EQ(choice.version, c.version) << c.name;
  }
}

TEST(ChooseMapApplication, LooksInTheEightPlacesUnderTheGivenCardName) {
  std::set<std::u16string> asked;
  ChooseMapApplication(u"内部ストレージ", Existing({}, &asked));
  EXPECT_EQ(asked.size(), 8u);
  EXPECT_EQ(asked.count(u"\\内部ストレージ\\Program Files\\Varnelle\\TessaraMobile8.exe"), 1u);
  EXPECT_EQ(asked.count(u"\\Program Files\\Varnelle\\TessaraMobile11.exe"), 1u);
}

TEST(DisplayScale, SwitchesAt480Pixels) {
  const struct { int width, scale; } cases[] = {{240, 1}, {320, 1}, {479, 1}, {480, 2}, {640, 2}, {0, 1}};
  for (const auto& c : cases) EXPECT_EQ(DisplayScaleForWidth(c.width), c.scale) << c.width;
}

TEST(MapDataFolder, FolderOfTheSettingFollowedByMap) {
  const struct { std::u16string value, folder; } cases[] = {
      {u"\\A\\B\\C", u"\\A\\B\\Map\\"},
      {u"\\SD\\Varnelle\\Data\\tessara.map", u"\\SD\\Varnelle\\Data\\Map\\"},
      {u"\\A\\B\\", u"\\A\\B\\Map\\"},
      {u"\\file", u"\\Map\\"},
      {u"no separator", u""},
      {u"", u""},
      {u"\\地図\\データ", u"\\地図\\Map\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(Narrow(MapDataFolderFromMapName(c.value)), Narrow(c.folder)) << Narrow(c.value);
}

TEST(ChooseQLCodeDatabase, LastExistingCandidateWins) {
  const std::u16string folder = u"\\SD\\Data\\Map\\";
  const std::u16string folderV1 = u"\\SD\\Data\\Map\\\\qlcode.qldb";
  const std::u16string folderV2 = u"\\SD\\Data\\Map\\\\qlcode_v2.qldb";
  const std::u16string cardV1 = u"\\Card\\Varnelle\\Map\\qlcode.qldb";
  const std::u16string cardV2 = u"\\Card\\Varnelle\\Map\\qlcode_v2.qldb";
  const struct {
    const char* name;
    std::set<std::u16string> files;
    std::u16string path;
    int version;
  } cases[] = {
      {"none", {}, u"", 0},
      {"folder v1", {folderV1}, folderV1, 1},
      {"card v1 over folder v1", {folderV1, cardV1}, cardV1, 1},
      {"folder v2 over both v1", {folderV1, cardV1, folderV2}, folderV2, 2},
      {"card v2 over everything", {folderV1, cardV1, folderV2, cardV2}, cardV2, 2},
      {"folder v2 alone", {folderV2}, folderV2, 2},
      {"card v2 over folder v2", {folderV2, cardV2}, cardV2, 2},
      {"single backslash is not the formed path", {u"\\SD\\Data\\Map\\qlcode.qldb"}, u"", 0},
  };
  for (const auto& c : cases) {
    QLCodeChoice choice = ChooseQLCodeDatabase(folder, u"Card", Existing(c.files));
    EXPECT_EQ(Narrow(choice.path), Narrow(c.path)) << c.name;
    EXPECT_EQ(choice.version, c.version) << c.name;
  }
}

}  // namespace
