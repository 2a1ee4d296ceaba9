#include "shell/discovery.h"

#include <gtest/gtest.h>

#include <set>

#include "platform/utf.h"

namespace {

PathExists Existing(std::set<std::u16string> paths) {
  return [paths](const std::u16string& p) { return paths.count(p) > 0; };
}
std::u16string DeviceExe(int n) { return u"\\Program Files\\Varnelle\\TessaraMobile" + Utf8ToUtf16(std::to_string(n)) + u".exe"; }
std::u16string CardExe(int n) { return u"\\SD" + DeviceExe(n); }

// The highest version 8 to 11 wins, the card over the device for the same version.
TEST(ChooseMapApplication, HighestVersionWinsAndCardBeatsDevice) {
  const struct { std::set<std::u16string> files; std::u16string path; int version; } cases[] = {
      {{}, u"", 0},                                {{CardExe(9), DeviceExe(11)}, DeviceExe(11), 11},
      {{DeviceExe(9), CardExe(11)}, CardExe(11), 11}, {{CardExe(10), DeviceExe(10)}, CardExe(10), 10},
      {{DeviceExe(8)}, DeviceExe(8), 8},           {{CardExe(7), DeviceExe(12)}, u"", 0},
  };
  for (const auto& c : cases) {
    const MapApplicationChoice choice = ChooseMapApplication(u"SD", Existing(c.files));
    EXPECT_EQ(Utf16ToUtf8(choice.path) + " " + std::to_string(choice.version), Utf16ToUtf8(c.path) + " " + std::to_string(c.version));
  }
}

TEST(MapDataFolder, FolderOfTheSettingFollowedByMap) {
  const struct { std::u16string value, folder; } cases[] = {
      {u"\\SD\\Varnelle\\Data\\tessara.map", u"\\SD\\Varnelle\\Data\\Map\\"}, {u"\\A\\B\\", u"\\A\\B\\Map\\"},
      {u"\\file", u"\\Map\\"}, {u"no separator", u""}, {u"", u""}, {u"\\地図\\データ", u"\\地図\\Map\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16ToUtf8(MapDataFolderFromMapName(c.value)), Utf16ToUtf8(c.folder)) << Utf16ToUtf8(c.value);
}

// The last existing of folder v1, card v1, folder v2, card v2 wins.
TEST(ChooseQLCodeDatabase, LastExistingCandidateWins) {
  const std::u16string f1 = u"\\SD\\Data\\Map\\\\qlcode.qldb", f2 = u"\\SD\\Data\\Map\\\\qlcode_v2.qldb";
  const std::u16string c1 = u"\\Card\\Varnelle\\Map\\qlcode.qldb", c2 = u"\\Card\\Varnelle\\Map\\qlcode_v2.qldb";
  const struct { std::set<std::u16string> files; std::u16string path; int version; } cases[] = {
      {{}, u"", 0},             {{f1}, f1, 1},           {{f1, c1}, c1, 1},
      {{f1, c1, f2}, f2, 2},    {{f1, c1, f2, c2}, c2, 2}, {{f2, c2}, c2, 2},
      {{u"\\SD\\Data\\Map\\qlcode.qldb"}, u"", 0},  // a single backslash is not the path formed
  };
  for (const auto& c : cases) {
    const QLCodeChoice choice = ChooseQLCodeDatabase(u"\\SD\\Data\\Map\\", u"Card", Existing(c.files));
    EXPECT_EQ(Utf16ToUtf8(choice.path) + " " + std::to_string(choice.version), Utf16ToUtf8(c.path) + " " + std::to_string(c.version));
  }
}

}  // namespace
