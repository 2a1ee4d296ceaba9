#include "shell/discovery.h"

#include <gtest/gtest.h>

#include "platform/utf.h"

namespace {

TEST(MapDataFolder, FolderOfTheSettingFollowedByMap) {
  const struct { std::u16string value, folder; } cases[] = {
      {u"\\SD\\Varnelle\\Data\\tessara.map", u"\\SD\\Varnelle\\Data\\Map\\"}, {u"\\A\\B\\", u"\\A\\B\\Map\\"},
      {u"\\file", u"\\Map\\"}, {u"no separator", u""}, {u"", u""}, {u"\\地図\\データ", u"\\地図\\Map\\"},
  };
  for (const auto& c : cases) EXPECT_EQ(Utf16ToUtf8(MapDataFolderFromMapName(c.value)), Utf16ToUtf8(c.folder)) << Utf16ToUtf8(c.value);
}

}  // namespace
