// The phone-number search's connection and fetch against a recording platform.
#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>
#include <filesystem>

#include "search/phone_search.h"
#include "shell/messages.h"
#include "tests/unit/fake_seams.h"
#include "tests/unit/test_support.h"
#include "tools/answer_writer/answer_writer.h"

namespace {

using Log = std::vector<std::string>;

const std::string kPlace = BuildAnswerPage({{"35.681236", "139.767125", Sjis(u"東京駅")}});

class PhoneRules : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetFake();
    char pattern[] = "/tmp/kario_phone_XXXXXX";
    dir_ = mkdtemp(pattern);
    g_fake.temporaryFolder = Utf8ToUtf16(dir_ + "/");
  }
  void TearDown() override {
    std::filesystem::remove_all(dir_);
    ResultListClear();
  }
  bool CacheLeft() {
    return std::filesystem::exists("/htmbuff.txt") || std::filesystem::exists(dir_ + "/htmbuff.txt");
  }
  ReferencePointScope ref_{503171492, 128439921};
  std::string dir_;
};

TEST_F(PhoneRules, ConnectionAttemptsAreGivenBackAndLimited) {
  const struct { const char* name; bool network; std::vector<int> attempts; bool connected; Log log; } cases[] = {
      {"no network to choose: direct", false, {}, true, {}},
      {"second request connects", true, {1, 2}, true, {"request", "release", "request", "release cached"}},
      {"never a handle", true, {0, 0, 0, 0, 0}, false, {"request", "request", "request", "request", "request"}},
      {"handles that never connect", true, {1, 1, 1, 1, 1}, false,
       {"request", "release", "request", "release", "request", "release", "request", "release", "request",
        "release cached"}},
  };
  for (const auto& c : cases) {
    ResetFake();
    g_fake.network = c.network;
    g_fake.attempts = c.attempts;
    EXPECT_EQ(OpenInternetConnection(), c.connected) << c.name;
    EXPECT_EQ(g_fake.log, c.log) << c.name;
  }
}

TEST_F(PhoneRules, OutcomesOfTheFetch) {
  const struct {
    const char* name;
    std::vector<int> attempts;
    bool openFails;
    std::vector<std::string> chunks;
    int readFailsAt, count;
    std::string message;
  } cases[] = {
      {"no connection", {0, 0, 0, 0, 0}, false, {}, -1, -1, "12029\nインターネットに接続できませんでした"},
      {"no answer", {}, true, {}, -1, -1, "12007\nインターネットに接続できませんでした"},
      {"a place, in two chunks", {}, false, {kPlace.substr(0, 7), kPlace.substr(7)}, -1, 1, ""},
      {"no places", {}, false, {"<html></html>"}, -1, 0, ""},
      {"reading fails halfway: nothing half-kept is parsed", {}, false, {kPlace, kPlace}, 1, -1, "えらー"},
  };
  for (const auto& c : cases) {
    ResetFake();
    g_fake.temporaryFolder = Utf8ToUtf16(dir_ + "/");
    g_fake.attempts = c.attempts;
    g_fake.openFails = c.openFails;
    g_fake.chunks = c.chunks;
    g_fake.readFailsAt = c.readFailsAt;
    ResultListAdd(u"stale");
    EXPECT_EQ(SearchPhoneNumber(u"0300000000"), c.count) << c.name;
    EXPECT_EQ(Logged("message"), c.message.empty() ? Log{} : Log{"message " + c.message}) << c.name;
    EXPECT_EQ(Logged("close").size(), c.openFails || c.attempts.size() == 5 ? 0u : 1u) << c.name;
    if (c.count >= 0) EXPECT_EQ(ResultListCount(), c.count) << c.name;
    EXPECT_FALSE(CacheLeft()) << c.name;
  }
}

TEST_F(PhoneRules, AnswersAreKeptUpToTheSizeAndTimeLimits) {
  const std::u16string path = Utf8ToUtf16(dir_ + "/answer");
  g_fake.chunks = {std::string(100000, 'x')};
  g_fake.endless = true;
  EXPECT_EQ(SaveWebAnswer(path), AnswerSaved::Whole);
  EXPECT_EQ(std::filesystem::file_size(dir_ + "/answer"), kAnswerMaxBytes);

  ResetFake();
  g_fake.chunks = {"ab"};
  g_fake.endless = true;
  g_fake.tickStep = 1000;  // one read a second
  EXPECT_EQ(SaveWebAnswer(path), AnswerSaved::Whole);
  EXPECT_EQ(std::filesystem::file_size(dir_ + "/answer"), 2 * (kAnswerTimeLimitMs / 1000 - 1));

  // A file that stops taking bytes after the first ones is no whole answer,
  // and is not left behind.
  ResetFake();
  g_fake.chunks = {std::string(10000, 'x')};
  rlimit saved{}, small{};
  getrlimit(RLIMIT_FSIZE, &saved);
  small = saved;
  small.rlim_cur = 5000;
  signal(SIGXFSZ, SIG_IGN);
  setrlimit(RLIMIT_FSIZE, &small);
  const AnswerSaved full = SaveWebAnswer(path);
  setrlimit(RLIMIT_FSIZE, &saved);
  EXPECT_EQ(full, AnswerSaved::WriteFailed);
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/answer"));
  EXPECT_EQ(SaveWebAnswer(Utf8ToUtf16(dir_ + "/no/such/folder")), AnswerSaved::CannotCreate);
}

}  // namespace
