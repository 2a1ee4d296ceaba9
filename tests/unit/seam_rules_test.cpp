// The command, launch and phone-search rules against a
// recording platform: what is asked, in order.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "core/environment.h"
#include "core/messages.h"
#include "dialog/typed_point.h"
#include "maplink/launch.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "resources/resource_ids.h"
#include "search/phone_search.h"
#include "shell/commands.h"
#include "shell/open_result.h"
#include "shell/run_search.h"
#include "tests/unit/fake_seams.h"
#include "tests/unit/test_support.h"
#include "tools/answer_writer/answer_writer.h"
#include "tools/mapdata_writer/mapdata_writer.h"

namespace {

using Log = std::vector<std::string>;
const std::string kEdit = std::to_string(IDC_SEARCH_EDIT), kList = std::to_string(IDC_RESULT_LIST),
                  kMode = std::to_string(IDC_MODE_COMBO), kCategory = std::to_string(IDC_CATEGORY_COMBO);
std::string Msg(const std::u16string& text) { return "message " + Utf16ToUtf8(text); }

// A fresh recording platform, the environment kept, a temporary folder as the device's root (its "\temp\" too).
class SeamRules : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFake();
    saved_ = g_environment;
    g_environment.mapApplicationPath = u"\\Map\\tessara.exe";
    char pattern[] = "/tmp/kario_rules_XXXXXX";
    dir_ = g_nativeDeviceRoot = mkdtemp(pattern);
    std::filesystem::create_directory(dir_ + "/temp");
    g_fake.temporaryFolder = u"\\temp\\";
  }
  void TearDown() override {
    g_environment = saved_;
    g_nativeDeviceRoot.clear();
    ResultListClear();
    std::filesystem::remove_all(dir_);
  }
  bool CacheLeft() {
    return std::filesystem::is_regular_file(dir_ + "/htmbuff.txt") ||
           std::filesystem::exists(dir_ + "/temp/htmbuff.txt");
  }
  ReferencePointScope ref_{503171492, 128439921};
  Environment saved_;
  std::string dir_;
};

TEST_F(SeamRules, RunSearchChecksThePointThenTheTermBeforeSearching) {
  // A refused term: the controls go off and on again around the message, the focus back to the term.
  auto refused = [](const std::string& box, const std::u16string& message) {
    return Log{"disable", "read " + box, Msg(message), "enable", "focus " + kEdit};
  };
  const Log searchedL{"disable", "read " + kEdit, "enable", Msg(kNoResultMessage), "focus " + kMode};
  const struct {
    const char* name;
    int mode;
    std::u16string edit, category;
    bool pointSet;
    Log log;
  } cases[] = {
      {"no point: nothing else is asked", 0, u"厚木", u"", false, {Msg(kPointNotSetMessage)}},
      {"one character", 0, u"厚", u"", true, refused(kEdit, kTermTooShortMessage)},
      {"16 kanji, a map data mode", 3, std::u16string(16, u'厚'), u"", true, refused(kEdit, kTermTooLongMessage)},
      {"QLCode reads the category box", 5, u"厚木", u"x", true, refused(kCategory, kTermTooShortMessage)},
      {"no mode selected searches level L", -1, u"厚木", u"", true, searchedL},
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

TEST_F(SeamRules, RunSearchTriesTheCardFolderWhenTheMapFolderFindsNothing) {
  // 厚木市, about 44 km from the point, on the card.
  std::string error;
  ASSERT_TRUE(WriteMapDataFolder(dir_ + "/Card/Varnelle/Map", {{u"厚木市", 501396000, 128191000}}, {}, error)) << error;
  g_environment.storageCardName = u"Card";
  g_environment.mapDataFolder = u"\\nonexistent\\";
  g_fake.texts[IDC_SEARCH_EDIT] = u"厚木";
  RunSearch();
  EXPECT_EQ(g_fake.log, (Log{"disable", "read " + kEdit, "enable", "message 検索完了!\u30001件", "focus " + kList}));
  EXPECT_EQ(ResultLinesUtf8(), std::vector<std::string>{"  44km,厚木市,[5339.tgx],501396000,128191000,  "});
  // A map folder that finds places lists its own; the card's would replace them.
  ASSERT_TRUE(WriteMapDataFolder(dir_ + "/Map", {{u"厚木駅", 501396000, 128191000}}, {}, error)) << error;
  g_environment.mapDataFolder = u"\\Map\\";
  RunSearch();
  EXPECT_EQ(ResultLinesUtf8(), std::vector<std::string>{"  44km,厚木駅,[5339.tgx],501396000,128191000,  "});
}

// M_TYPE per mode, none selected (-1) and 0 to 5: wide area 10, level M 8, level R 5, detail map 1, phone and
// QLCode 10.  Yes makes the line the destination; No starts there without one; Cancel starts nothing.
TEST_F(SeamRules, OpenSelectedResultAsksAndLaunchesWithTheAnswer) {
  const std::u16string line = u"  44km,厚木市,[5339],501396000,128191000,  ";
  const std::string question =
      "ask データ詳細: 選択地点を表示します\n\n  44km\n厚木市\n[5339]\n501396000\n128191000\n"
      "  \n目的地に設定しますか?\n";
  auto started = [&](const char* values, int type) {
    return Log{
        question, "look", std::string("write ") + values,
        "start \\Map\\tessara.exe| /M_LON=501396000 /M_LAT=128191000 /M_ANGLE=0 /M_TYPE=" + std::to_string(type)};
  };
  const struct {
    const char* name;
    bool selected;
    std::u16string line;
    int answer, mode;
    Log log;
  } cases[] = {
      {"nothing selected", false, u"", kAnswerYes, 0, {Msg(kNothingSelectedMessage), "focus " + kList}},
      {"no coordinates", true, u"  1km,x,[1],y,z", kAnswerYes, 0, {Msg(kLineUnreadableMessage), "focus " + kList}},
      {"cancel", true, line, kAnswerCancel, 0, {question}},
      {"no: no destination, the mode selected now", true, line, kAnswerNo, 3, started("0 0", 1)},
      {"yes, none selected", true, line, kAnswerYes, -1, started("501396000 128191000", 10)},
      {"yes, wide area", true, line, kAnswerYes, 0, started("501396000 128191000", 10)},
      {"yes, level M", true, line, kAnswerYes, 1, started("501396000 128191000", 8)},
      {"yes, level R", true, line, kAnswerYes, 2, started("501396000 128191000", 5)},
      {"yes, detail map", true, line, kAnswerYes, 3, started("501396000 128191000", 1)},
      {"yes, phone", true, line, kAnswerYes, 4, started("501396000 128191000", 10)},
      {"yes, QLCode", true, line, kAnswerYes, 5, started("501396000 128191000", 10)},
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

TEST_F(SeamRules, CommandsThatDecide) {
  const std::string editOverCategory = kEdit + " over " + kCategory, categoryOverEdit = kCategory + " over " + kEdit;
  const struct {
    const char* name;
    void (*command)();
    int mode;
    bool yes;
    Log log;
  } cases[] = {
      {"list closed on QLCode", SwitchSearchMode, 5, false, {"focus front " + categoryOverEdit}},
      {"list closed on level R", SwitchSearchMode, 2, false, {"focus front " + editOverCategory}},
      {"keys to QLCode: the focus stays", ShowInputForSearchMode, 5, false, {"front " + categoryOverEdit}},
      {"keys to phone: the focus stays", ShowInputForSearchMode, 4, false, {"front " + editOverCategory}},
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

TEST_F(SeamRules, StationsAndTypedPointsStartTheMapApplication) {
  EXPECT_TRUE(StartMapApplicationCommand(IDM_STATION_TOKYO));
  EXPECT_FALSE(StartMapApplicationCommand(IDM_STATION_TOKYO + 100));
  EXPECT_TRUE(StartAtTypedPoint(u"503171492", u"128439921", false));
  EXPECT_FALSE(StartAtTypedPoint(u"503171492", u"1", false));
  // What a Japanese input method types reads as its ASCII forms.
  EXPECT_TRUE(StartAtTypedPoint(u"\u3000５０３１７１４９２", u"１２８４３９９２１．９", false));
  const std::string start = "start \\Map\\tessara.exe| /M_LON=503171492 /M_LAT=128439921 /M_ANGLE=0 /M_TYPE=";
  EXPECT_EQ(g_fake.log, (Log{"look", "write 0 0", start + "12", "look", "write 0 0", start + "10",
                             Msg(kOutOfJapanMessage), "look", "write 0 0", start + "10"}));
}

TEST_F(SeamRules, LaunchClosesWaitsWritesThenStarts) {
  const std::string start = "start \\Map\\tessara.exe", switches = "| /M_LON=1 /M_LAT=2 /M_ANGLE=0 /M_TYPE=8";
  using Windows = std::vector<std::vector<std::uintptr_t>>;
  const std::u16string path = u"\\Map\\tessara.exe";
  // Copies side by side (one started as is): each told once, also one that shows up while the others end; a look a
  // second until none is left.
  const Log sideBySide{"look",       "post end 7", "post end 9", "look", "pause",     "look",
                       "post end 4", "look",       "pause",      "look", "write 1 2", start + switches};
  const struct {
    const char* name;
    int mode;
    Windows looks;
    std::u16string path;
    Log log;
  } cases[] = {
      {"none running", kLaunchShowPoint, {}, path, {"look", "write 0 0", start + switches}},
      {"copies side by side", kLaunchSetDestination, {{7, 9}, {9}, {9, 4}, {4}}, path, sideBySide},
      {"as is: no close, no switches, no destination", kLaunchAsIs, {{7}}, path, {"write 0 0", start}},
      {"no map application: the values are still written", kLaunchSetDestination, {}, u"", {"look", "write 1 2"}},
  };
  for (const auto& c : cases) {
    ResetFake();
    g_fake.mapWindows = c.looks;
    g_environment.mapApplicationPath = c.path;
    LaunchMapApplication(1, 2, 8, c.mode);
    EXPECT_EQ(g_fake.log, c.log) << c.name;
  }
}

// The browser a file of the device names, else the system's handler: a
// desktop's "iexplore.exe" elsewhere is not asked.  The manual's path is the
// program's less exactly three characters, plus "htm".
TEST(LaunchRules, ManualGoesToTheDeviceBrowserQuotedElseToTheShell) {
  const std::string ie = R"(exists \Windows\iexplore.exe)",
                    start = R"(start \Windows\iexplore.exe|"\Windows\iexplore.exe" )";
  const std::u16string device = u"\\Windows\\iexplore.exe",
                       desktop = u"C:\\Program Files\\Internet Explorer\\iexplore.exe";
  const std::u16string program = u"C:\\Program Files\\Kario\\kariosearch.exe";
  const struct {
    const char* name;
    std::u16string browser;
    bool startFails;
    std::u16string own;
    Log log;
  } cases[] = {
      {"browser found", device, false, program, {ie, start + R"("C:\Program Files\Kario\kariosearch.htm")"}},
      {"no browser", u"", false, u"\\カリオ\\検索.EXE", {ie, "shell \\カリオ\\検索.htm"}},
      {"a desktop's browser elsewhere", desktop, false, u"ab", {ie, "shell htm"}},
      {"browser does not start", device, true, u"\\A\\prog.ex", {ie, start + R"("\A\proghtm")", "shell \\A\\proghtm"}},
      {"own path unknown", device, false, u"", {}},
  };
  for (const auto& c : cases) {
    ResetFake();
    g_fake.browser = c.browser;
    g_fake.startFails = c.startFails;
    g_fake.ownPath = c.own;
    OpenManual();
    EXPECT_EQ(g_fake.log, c.log) << c.name;
  }
}

const std::string kPlace = BuildAnswerPage({{"35.681236", "139.767125", Sjis(u"東京駅")}});

TEST_F(SeamRules, ConnectionAttemptsAreGivenBackAndLimited) {
  // The mapping index starts at 0 once; the fake moves it on by one per look.
  const Log second{"choose 0", "request", "choose 1", "release", "request", "release cached"};
  const Log never{"choose 0", "request",  "choose 1", "request",  "choose 2",
                  "request",  "choose 3", "request",  "choose 4", "request"};
  const Log handles{"choose 0", "request", "choose 1", "release",  "request", "choose 2", "release",       "request",
                    "choose 3", "release", "request",  "choose 4", "release", "request",  "release cached"};
  const struct {
    const char* name;
    bool network;
    std::vector<int> attempts;
    bool connected;
    Log log;
  } cases[] = {
      {"no network to choose: direct", false, {}, true, {"choose 0"}},
      {"second request connects", true, {1, 2}, true, second},
      {"never a handle", true, {0, 0, 0, 0, 0}, false, never},
      {"handles that never connect", true, {1, 1, 1, 1, 1}, false, handles},
  };
  for (const auto& c : cases) {
    ResetFake();
    g_fake.network = c.network;
    g_fake.attempts = c.attempts;
    EXPECT_EQ(OpenInternetConnection(), c.connected) << c.name;
    EXPECT_EQ(g_fake.log, c.log) << c.name;
  }
}

TEST_F(SeamRules, OutcomesOfTheFetch) {
  // A cut answer (size or time limit) is a failed read: said, list and cache
  // file kept.  Exactly the size limit is still whole.
  const std::string padded = kPlace + std::string(kAnswerMaxBytes - kPlace.size(), ' ');
  const std::size_t sxst = kPlace.rfind(",sxst");
  const std::string pastABlock = (std::string(4097, ' ') + kPlace.substr(0, sxst)).substr(sxst);
  const std::string noConnection = "\nインターネットに接続できませんでした";
  // The service: per request (0 no handle), whether the open fails, the chunks, the chunk whose read fails, the last
  // chunk again for ever, the clock's step per look.  Then the count (-1: failed, the stale line kept), whether the
  // answer was closed, the message, whether the cache file stays.
  const struct {
    const char* name;
    std::vector<int> attempts;
    bool openFails;
    std::vector<std::string> chunks;
    int readFailsAt;
    bool endless;
    uint32_t tickStep;
    int count;
    bool closed;
    std::string message;
    bool kept;
  } cases[] = {
      {"no connection", {0, 0, 0, 0, 0}, false, {}, -1, false, 0, -1, false, "12029" + noConnection, false},
      {"no answer", {}, true, {}, -1, false, 0, -1, false, "12007" + noConnection, false},
      {"a place, in two chunks", {}, false, {kPlace.substr(0, 7), kPlace.substr(7)}, -1, false, 0, 1, true, "", false},
      {"no places", {}, false, {"<html></html>"}, -1, false, 0, 0, true, "", false},
      {"reading fails halfway", {}, false, {kPlace, kPlace}, 1, false, 0, -1, true, "えらー", true},
      {"exactly the size limit", {}, false, {padded}, -1, false, 0, 1, true, "", false},
      {"an answer ending a byte past a block", {}, false, {pastABlock}, -1, false, 0, 1, true, "", false},
      {"past the size limit", {}, false, {padded, " "}, -1, false, 0, -1, true, "えらー", true},
      {"endless", {}, false, {kPlace}, -1, true, 0, -1, true, "えらー", true},
      {"past the time limit: one read a second", {}, false, {kPlace}, -1, true, 1000, -1, true, "えらー", true},
  };
  // The root takes the cache file, then it cannot (a folder in its place): the temporary folder does.
  for (bool rootTaken : {false, true}) {
    if (rootTaken) std::filesystem::create_directory(dir_ + "/htmbuff.txt");
    for (const auto& c : cases) {
      ResetFake();
      g_fake.temporaryFolder = u"\\temp\\";
      g_fake.attempts = c.attempts;
      g_fake.openFails = c.openFails;
      g_fake.chunks = c.chunks;
      g_fake.readFailsAt = c.readFailsAt;
      g_fake.endless = c.endless;
      g_fake.tickStep = c.tickStep;
      ResultListClear();
      ResultListAdd(u"stale");
      EXPECT_EQ(SearchPhoneNumber(u"0300000000"), c.count) << c.name;
      EXPECT_EQ(Logged("message"), c.message.empty() ? Log{} : Log{"message " + c.message}) << c.name;
      EXPECT_EQ(Logged("close").size(), c.closed ? 1u : 0u) << c.name;
      EXPECT_EQ(ResultListCount(), c.count >= 0 ? c.count : 1) << c.name;
      EXPECT_EQ(CacheLeft(), c.kept) << c.name << (rootTaken ? " (temporary folder)" : " (root)");
      if (!rootTaken) std::filesystem::remove(dir_ + "/htmbuff.txt");
      std::filesystem::remove(dir_ + "/temp/htmbuff.txt");
    }
  }
  // Neither the root (still a folder) nor a missing temporary folder takes it: an empty list, not a word.
  ResetFake();
  g_fake.temporaryFolder = u"\\no\\such\\";
  g_fake.chunks = {kPlace};
  ResultListClear();
  ResultListAdd(u"stale");
  EXPECT_EQ(SearchPhoneNumber(u"0300000000"), 0);
  EXPECT_EQ(ResultListCount(), 0);
  EXPECT_EQ(Logged("message"), Log{});
  // Always from the server and never into the system's cache: WinINet's RELOAD (0x80000000) and
  // NO_CACHE_WRITE (0x04000000), as its header publishes them.
  EXPECT_EQ(Logged("open"), Log{"open http://" + Utf16ToUtf8(g_phoneSearchHost) + "/maps?q=0300000000 flags " +
                                std::to_string(0x80000000u | 0x04000000u)});
}

TEST_F(SeamRules, AFileThatStopsTakingBytesIsNotKept) {
  g_fake.chunks = {std::string(10000, 'x')};
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  const rlimit small{5000, saved.rlim_max};
  const auto handler = signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  const AnswerSaved full = SaveWebAnswer(u"\\answer");
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, handler);
  EXPECT_EQ(full, AnswerSaved::WriteFailed);
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/answer"));
  EXPECT_EQ(SaveWebAnswer(u"\\no\\such\\folder"), AnswerSaved::CannotCreate);
}

}  // namespace
