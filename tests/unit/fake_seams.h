// A recording stand-in for what the rules ask of the platform (message
// boxes, the main window's controls, the map application, the Internet).
// Each call is logged as one line in order; the answers come from g_fake.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

struct FakePlatform {
  std::vector<std::string> log;
  // Controls
  int searchMode = 0;
  std::map<int, std::u16string> texts;  // by control id
  bool lineSelected = false;
  std::u16string selectedLine;
  bool categoryPicked = false;
  int answer = 1;  // kAnswerYes
  bool yes = false;
  // Map application
  bool mapWindow = false;
  int runningLooks = 0;  // looks that still find it running
  std::u16string ownPath = u"\\Program Files\\Kario\\kariosearch.exe";
  std::u16string browser;
  bool startFails = false;
  // Internet
  bool network = true;
  std::vector<int> attempts;  // per request: 0 no handle, 1 handle only, 2 connected; then 2
  bool openFails = false;
  std::vector<std::string> chunks;  // the answer, chunk by chunk
  int readFailsAt = -1;             // index of the chunk whose read fails
  bool endless = false;             // after the chunks, the last chunk again for ever
  uint32_t tickStep = 0;            // the clock's advance per look
  uint32_t tick = 0;
  std::u16string temporaryFolder;
  std::size_t bytesRead = 0;
};
extern FakePlatform g_fake;

// Clears the log and the answers for the next test.
void ResetFake();
// The log lines that start with `prefix`.
std::vector<std::string> Logged(const std::string& prefix);
