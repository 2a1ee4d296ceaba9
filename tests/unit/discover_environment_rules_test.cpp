// Start-up against a recording device: what is read in which order, which
// finding wins, and what the two combo boxes then list.
#include <gtest/gtest.h>

#include "platform/utf.h"
#include "search/phone_search.h"
#include "shell/combo_items.h"
#include "shell/discover_environment.h"
#include "shell/discovery.h"
#include "tests/unit/fake_seams.h"

namespace {

using Log = std::vector<std::string>;
std::string Exe(const std::string& card, int n) {
  return card + R"(\Program Files\Varnelle\TessaraMobile)" + std::to_string(n) + ".exe";
}
std::string Describe(const Environment& e) {
  return Utf16ToUtf8(e.storageCardName) + " | " + Utf16ToUtf8(e.mapApplicationPath) + " " +
         std::to_string(e.mapApplicationVersion) + " | " + std::to_string(e.displayScale) + " | " +
         Utf16ToUtf8(e.mapDataFolder) + " | " + Utf16ToUtf8(e.qlcodePath) + " " + std::to_string(e.qlcodeVersion) +
         (e.clearType ? " | ClearType" : "");
}
std::string Joined(const std::vector<std::u16string>& items, std::string text = "") {
  for (const std::u16string& item : items) text += Utf16ToUtf8(item) + ";";
  return text;
}

// The card from the registry is where the map application is looked for,
// versions 8 to 11, the card before the device (the device's 10 is not: the
// card's 10 was found) and the highest found wins; the file's card name comes
// after that and only moves the QLCode candidates on the card, of which the
// last found (folder v1, card v1, folder v2, card v2) wins.
TEST(DiscoverEnvironmentRules, ReadsInStartUpOrder) {
  ResetFake();
  g_fake.cardSetting = u"SD";
  g_fake.mapNameSetting = u"\\SD\\Varnelle\\Data\\tessara.map";
  g_fake.files = {{u"\\SD", std::nullopt},
                  {Utf8ToUtf16(Exe(R"(\SD)", 10)), ""},
                  {Utf8ToUtf16(Exe("", 11)), ""},
                  {u"\\Program Files\\Kario\\cardname.txt", "Card2\r\n"},
                  {u"\\Card2\\Varnelle\\Map\\qlcode.qldb", ""},
                  {u"\\SD\\Varnelle\\Data\\Map\\\\qlcode_v2.qldb", ""}};
  g_fake.screenWidth = 480;
  g_fake.clearTypeKey = true;
  EXPECT_EQ(Describe(DiscoverEnvironment()), R"(Card2 | )" + Exe("", 11) +
                                                 R"( 11 | 2 | \SD\Varnelle\Data\Map\ | )"
                                                 R"(\SD\Varnelle\Data\Map\\qlcode_v2.qldb 2 | ClearType)");
  EXPECT_EQ(
      g_fake.log,
      (Log{"registry Folder", R"(attributes \SD)", "find " + Exe(R"(\SD)", 8), "find " + Exe("", 8),
           "find " + Exe(R"(\SD)", 9), "find " + Exe("", 9), "find " + Exe(R"(\SD)", 10), "find " + Exe(R"(\SD)", 11),
           "find " + Exe("", 11), "screen width", "registry MNAMV8", R"(read \Program Files\Kario\mappath.txt)",
           R"(read \Program Files\Kario\cardname.txt)", R"(read \Program Files\Kario\phonehost.txt)",
           "registry ClearType", R"(attributes \SD\Varnelle\Data\Map\\qlcode.qldb)",
           R"(attributes \Card2\Varnelle\Map\qlcode.qldb)", R"(attributes \SD\Varnelle\Data\Map\\qlcode_v2.qldb)",
           R"(attributes \Card2\Varnelle\Map\qlcode_v2.qldb)"}));
}

// Each row: the program's path, the registry's card and map name, the files on the device and the screen width; then
// what start-up finds, worked out by hand.  No ClearType key: ReadsInStartUpOrder has one.
TEST(DiscoverEnvironmentRules, OverrideFilesWinAndEveryFindingHasItsDefault) {
  const std::u16string mappath = u"\\P\\mappath.txt", cardname = u"\\P\\cardname.txt", own = u"\\P\\kariosearch.exe";
  const std::u16string internalDb = u"\\内部ストレージ\\Varnelle\\Map\\qlcode.qldb",
                       sdDb = u"\\SD\\Data\\Map\\\\qlcode.qldb";
  const std::u16string otherDb = u"\\Other\\Varnelle\\Map\\qlcode_v2.qldb", host = u"\\P\\phonehost.txt";
  const std::string internal = "内部ストレージ |  0 | ", nothing = "内部ストレージ |  0 | 1 |  |  0";
  const std::string sdFound = internal + R"(2 | \SD\Data\Map\ | \SD\Data\Map\\qlcode.qldb 1)";
  const std::string otherFound =
      Exe(R"(Other | \内部ストレージ)", 9) + R"( 9 | 1 |  | \Other\Varnelle\Map\qlcode_v2.qldb 2)";
  const std::map<std::u16string, std::optional<std::string>> otherCard = {
      {cardname, "Other"},
      {Utf8ToUtf16(Exe(R"(\Other)", 11)), ""},
      {Utf8ToUtf16(Exe(R"(\内部ストレージ)", 9)), ""},
      {otherDb, ""}};
  const std::string bomHost =
      "\xEF\xBB\xBF"
      "a.jp:80\r\nx";
  // Four labels of 62 letters and a port: 256 characters, one more than an override line holds.
  const std::string label(62, 'a');
  const std::string longHost = label + "." + label + "." + label + "." + label + ":8080";
  const struct {
    std::u16string own;
    std::optional<std::u16string> card, mapName;
    std::map<std::u16string, std::optional<std::string>> files;
    int width;
    std::string found;
  } cases[] = {
      // Nothing at all but a database on the device.
      {own, {}, {}, {{internalDb, ""}}, 479, internal + R"(1 |  | \内部ストレージ\Varnelle\Map\qlcode.qldb 1)"},
      // A card setting naming no folder.
      {own, u"SD", {}, {}, 480, internal + "2 |  |  0"},
      // mappath.txt beats the setting, its first line only.
      {own, {}, u"\\A\\B\\C", {{mappath, "\\SD\\Data\\Map\\\nmore\n"}, {sdDb, ""}}, 640, sdFound},
      // An empty first line keeps the setting's folder.
      {own, {}, u"\\A\\B\\C", {{mappath, "\r\n\\X\\"}}, 240, internal + R"(1 | \A\B\Map\ |  0)"},
      // The file's card does not move the map application, only the card's database.
      {own, {}, {}, otherCard, 240, otherFound},
      // A usable host replaces the build's; an unusable one leaves it.
      {own, {}, {}, {{host, bomHost}}, 240, nothing + " | a.jp:80"},
      {own, {}, {}, {{host, "a.jp/x"}}, 240, nothing},
      // One longer than a line holds is not taken cut (:808 for :8080).
      {own, {}, {}, {{host, longHost}}, 240, nothing},
      // No path of its own: the root is not beside it.
      {u"", {}, {}, {{u"\\mappath.txt", "\\Wrong\\"}, {u"\\phonehost.txt", "a:1"}}, 240, nothing},
  };
  const std::u16string buildHost = g_phoneSearchHost;  // shown only where start-up changed it
  for (const auto& c : cases) {
    ResetFake();
    g_fake.ownPath = c.own;
    g_fake.cardSetting = c.card;
    g_fake.mapNameSetting = c.mapName;
    g_fake.files = c.files;
    g_fake.screenWidth = c.width;
    const std::string found = Describe(DiscoverEnvironment());
    EXPECT_EQ(found + (g_phoneSearchHost == buildHost ? "" : " | " + Utf16ToUtf8(g_phoneSearchHost)), c.found);
    g_phoneSearchHost = buildHost;
  }
}

// Which copy wins where several exist, the card "SD" and the folder "\D\Map\" given.  The map application: the
// highest of versions 8 to 11, the card's before the device's of the same version, others ignored.  The database:
// the last found of folder v1, card v1, folder v2, card v2.
TEST(DiscoverEnvironmentRules, WhichCopyWins) {
  auto exe = [](const char* card, int n) { return Utf8ToUtf16(Exe(card, n)); };
  const std::u16string folderV1 = u"\\D\\Map\\\\qlcode.qldb", cardV1 = u"\\SD\\Varnelle\\Map\\qlcode.qldb";
  const std::u16string folderV2 = u"\\D\\Map\\\\qlcode_v2.qldb", cardV2 = u"\\SD\\Varnelle\\Map\\qlcode_v2.qldb";
  const struct {
    std::vector<std::u16string> files;
    std::string mapApplication, database;
  } cases[] = {
      {{exe(R"(\SD)", 10), exe("", 10)}, Exe(R"(\SD)", 10) + " 10", " 0"},
      {{exe(R"(\SD)", 7), exe("", 12), exe(R"(\SD)", 12), exe("", 7)}, " 0", " 0"},
      {{folderV2, cardV2}, " 0", R"(\SD\Varnelle\Map\qlcode_v2.qldb 2)"},
      {{folderV1, cardV1}, " 0", R"(\SD\Varnelle\Map\qlcode.qldb 1)"},
      {{cardV1, folderV2}, " 0", R"(\D\Map\\qlcode_v2.qldb 2)"},
      {{folderV1}, " 0", R"(\D\Map\\qlcode.qldb 1)"},
  };
  for (const auto& c : cases) {
    ResetFake();
    g_fake.cardSetting = u"SD";
    g_fake.mapNameSetting = u"\\D\\x";
    g_fake.files = {{u"\\SD", std::nullopt}};
    for (const std::u16string& file : c.files) g_fake.files[file] = "";
    const Environment found = DiscoverEnvironment();
    EXPECT_EQ(Utf16ToUtf8(found.mapApplicationPath) + " " + std::to_string(found.mapApplicationVersion),
              c.mapApplication)
        << Utf16ToUtf8(c.files[0]);
    EXPECT_EQ(Utf16ToUtf8(found.qlcodePath) + " " + std::to_string(found.qlcodeVersion), c.database)
        << Utf16ToUtf8(c.files[0]);
  }
}

// The lists as the search-mode and category combo boxes show them.
TEST(ComboItems, QLCodeModeOnlyWithADatabaseAndTheCategoriesOfItsVersion) {
  const std::string modes = "広域図検索;中域図検索;小域図検索;詳細図検索;電話番号検索(ネット接続);";
  const std::string v1 =
      "タウン;レジャー・スポーツ;温泉;祭り・イベント;自然地形;食べる;買う;泊まる;文化施設;名所・旧跡;";
  EXPECT_EQ(Joined(SearchModeItems(u"")), modes);
  EXPECT_EQ(Joined(SearchModeItems(u"\\SD\\qlcode.qldb")), modes + "QLCode検索;");
  const struct {
    int version;
    std::string categories;
  } cases[] = {{0, v1}, {1, v1}, {2, "イベント;温泉;見る;食べる;買う;泊まる;遊ぶ;"}};
  for (const auto& c : cases) EXPECT_EQ(Joined(CategoryItems(c.version)), c.categories) << c.version;
}

TEST(MapDataFolder, FolderOfTheSettingFollowedByMap) {
  const struct {
    std::u16string value, folder;
  } cases[] = {
      {u"\\SD\\Varnelle\\Data\\tessara.map", u"\\SD\\Varnelle\\Data\\Map\\"},
      {u"\\A\\B\\", u"\\A\\B\\Map\\"},
      {u"\\file", u"\\Map\\"},
      {u"no separator", u""},
      {u"", u""},
      {u"\\地図\\データ", u"\\地図\\Map\\"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Utf16ToUtf8(MapDataFolderFromMapName(c.value)), Utf16ToUtf8(c.folder)) << Utf16ToUtf8(c.value);
}

}  // namespace
