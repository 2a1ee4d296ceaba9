// The command rules against a recording platform: what is asked, in order.
#include <gtest/gtest.h>

#include <filesystem>

#include "dialog/milliseconds_field.h"
#include "dialog/typed_point.h"
#include "platform/message_box.h"
#include "resources/resource_ids.h"
#include "shell/commands.h"
#include "shell/environment.h"
#include "shell/messages.h"
#include "shell/open_result.h"
#include "shell/run_search.h"
#include "tests/unit/fake_seams.h"
#include "tests/unit/test_support.h"
#include "tools/mapdata_writer/mapdata_writer.h"

namespace {

using Log = std::vector<std::string>;
const std::string kEdit = std::to_string(IDC_SEARCH_EDIT), kList = std::to_string(IDC_RESULT_LIST),
                  kMode = std::to_string(IDC_MODE_COMBO), kCategory = std::to_string(IDC_CATEGORY_COMBO);
std::string Msg(const std::u16string& text) { return "message " + Utf16ToUtf8(text); }

class ShellRules : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFake();
    saved_ = g_environment;
    g_environment.mapApplicationPath = u"\\Map\\tessara.exe";
  }
  void TearDown() override {
    g_environment = saved_;
    ResultListClear();
    if (!dir_.empty()) std::filesystem::remove_all(dir_);
  }
  // A temporary folder holding 厚木市 (about 44 km from the reference point)
  // at level L, as a device path ending in '\'.
  std::u16string MapFolder() {
    char pattern[] = "/tmp/kario_rules_XXXXXX";
    dir_ = mkdtemp(pattern);
    std::string error;
    EXPECT_TRUE(WriteMapDataFolder(dir_ + "/Varnelle/Map", {{u"厚木市", 501396000, 128191000}}, {}, error)) << error;
    return Utf8ToUtf16(dir_ + "/Varnelle/Map/");
  }
  ReferencePointScope ref_{503171492, 128439921};
  Environment saved_;
  std::string dir_;
};

TEST_F(ShellRules, RunSearchChecksThePointThenTheTermBeforeSearching) {
  const struct { const char* name; int mode; std::u16string edit, category; bool pointSet; Log log; } cases[] = {
      {"no point: nothing else is asked", 0, u"厚木", u"", false, {Msg(kPointNotSetMessage)}},
      {"one character", 0, u"厚", u"", true,
       {"disable", "read " + kEdit, Msg(kTermTooShortMessage), "enable", "focus " + kEdit}},
      {"16 kanji in a map data mode", 3, std::u16string(16, u'厚'), u"", true,
       {"disable", "read " + kEdit, Msg(kTermTooLongMessage), "enable", "focus " + kEdit}},
      {"QLCode reads the category box, not the edit", 5, u"厚木", u"x", true,
       {"disable", "read " + kCategory, Msg(kTermTooShortMessage), "enable", "focus " + kEdit}},
      {"no mode selected searches level L", -1, u"厚木", u"", true,
       {"disable", "read " + kEdit, "enable", Msg(kNoResultMessage), "focus " + kMode}},
  };
  for (const auto& c : cases) {
    ResetFake();
    g_fake.searchMode = c.mode;
    g_fake.texts = {{IDC_SEARCH_EDIT, c.edit}, {IDC_CATEGORY_COMBO, c.category}};
    ReferencePointScope point(c.pointSet ? 503171492 : 0, 128439921);
    RunSearch();
    EXPECT_EQ(g_fake.log, c.log) << c.name;
  }
}

TEST_F(ShellRules, RunSearchTriesTheCardFolderWhenTheMapFolderFindsNothing) {
  MapFolder();
  // The card name makes "\<card>\Varnelle\Map\" the temporary folder.
  g_environment.storageCardName = Utf8ToUtf16(dir_.substr(1));
  g_environment.mapDataFolder = u"\\nonexistent\\";
  g_fake.texts[IDC_SEARCH_EDIT] = u"厚木";
  RunSearch();
  EXPECT_EQ(g_fake.log, (Log{"disable", "read " + kEdit, "enable", "message 検索完了!\u30001件", "focus " + kList}));
  EXPECT_EQ(ResultLinesUtf8(), std::vector<std::string>{"  44km,厚木市,[5339.tgx],501396000,128191000,  "});
}

TEST_F(ShellRules, OpenSelectedResultAsksAndLaunchesWithTheAnswer) {
  const std::u16string line = u"  44km,厚木市,[5339],501396000,128191000,  ";
  const std::string question = "ask データ詳細: 選択地点を表示します\n\n  44km\n厚木市\n[5339]\n501396000\n128191000\n"
                               "  \n目的地に設定しますか?\n";
  const struct { const char* name; bool selected; std::u16string line; int answer, mode; Log log; } cases[] = {
      {"nothing selected", false, u"", kAnswerYes, 0, {Msg(kNothingSelectedMessage), "focus " + kList}},
      {"no coordinates", true, u"  1km,x,[1],y,z", kAnswerYes, 0, {Msg(kLineUnreadableMessage), "focus " + kList}},
      {"cancel", true, line, kAnswerCancel, 0, {question}},
      {"yes: destination, M_TYPE of mode 0", true, line, kAnswerYes, 0,
       {question, "post end", "write 501396000 128191000",
        "start \\Map\\tessara.exe| /M_LON=501396000 /M_LAT=128191000 /M_ANGLE=0 /M_TYPE=10"}},
      {"no: no destination, M_TYPE of the mode selected now", true, line, kAnswerNo, 3,
       {question, "post end", "write 0 0",
        "start \\Map\\tessara.exe| /M_LON=501396000 /M_LAT=128191000 /M_ANGLE=0 /M_TYPE=1"}},
  };
  for (const auto& c : cases) {
    ResetFake();
    g_fake.lineSelected = c.selected;
    g_fake.selectedLine = c.line;
    g_fake.answer = c.answer;
    g_fake.searchMode = c.mode;
    OpenSelectedResult();
    EXPECT_EQ(g_fake.log, c.log) << c.name;
  }
}

TEST_F(ShellRules, CommandsThatDecide) {
  const struct { const char* name; void (*command)(); int mode; bool yes; Log log; } cases[] = {
      {"QLCode: the category box comes to the front", SwitchSearchMode, 5, false,
       {"front " + kCategory + " over " + kEdit}},
      {"level R: the edit comes to the front", SwitchSearchMode, 2, false, {"front " + kEdit + " over " + kCategory}},
      {"focus the term in QLCode", FocusSearchTerm, 5, false, {"focus " + kCategory}},
      {"focus the term in phone mode", FocusSearchTerm, 4, false, {"focus " + kEdit}},
      {"version: no keeps running", AskVersionAndExit, 0, false, {"ask " + Utf16ToUtf8(kVersionQuestion)}},
      {"version: yes ends", AskVersionAndExit, 0, true, {"ask Ver.10.02\n\n終了しますか？", "end"}},
  };
  for (const auto& c : cases) {
    ResetFake();
    g_fake.searchMode = c.mode;
    g_fake.yes = c.yes;
    c.command();
    EXPECT_EQ(g_fake.log, c.log) << c.name;
  }
}

TEST_F(ShellRules, StationsAndTypedPointsStartTheMapApplication) {
  EXPECT_TRUE(StartMapApplicationCommand(IDM_STATION_TOKYO));
  EXPECT_FALSE(StartMapApplicationCommand(IDM_STATION_TOKYO + 100));
  EXPECT_TRUE(StartAtTypedPoint(u"503171492", u"128439921", false));
  EXPECT_FALSE(StartAtTypedPoint(u"503171492", u"1", false));
  // What a Japanese input method types reads as its ASCII forms.
  EXPECT_TRUE(StartAtTypedPoint(u"\u3000５０３１７１４９２", u"１２８４３９９２１．９", false));
  const MillisecondsField typed = ComputeMillisecondsField(kAxisLongitude, u"１３９", u"４５", u"１２", u"３");
  EXPECT_EQ(typed.ms, 503112300);
  EXPECT_EQ(Utf16ToUtf8(typed.text), "503112300");
  EXPECT_EQ(ReadTypedPoint(u"－１", u"＋２ｅ１", true).lat, ReadTypedPoint(u"-1", u"+2e1", true).lat);
  EXPECT_EQ(g_fake.log, (Log{"post end", "write 0 0",
                             "start \\Map\\tessara.exe| /M_LON=503171492 /M_LAT=128439921 /M_ANGLE=0 /M_TYPE=12",
                             "post end", "write 0 0",
                             "start \\Map\\tessara.exe| /M_LON=503171492 /M_LAT=128439921 /M_ANGLE=0 /M_TYPE=10",
                             Msg(kOutOfJapanMessage), "post end", "write 0 0",
                             "start \\Map\\tessara.exe| /M_LON=503171492 /M_LAT=128439921 /M_ANGLE=0 /M_TYPE=10"}));
}

}  // namespace
