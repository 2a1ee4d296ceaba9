// A recording stand-in for what the rules ask of the platform (message boxes, the main window's controls, the map
// application, the Internet, what start-up reads from the device).  Each call is logged as one line in order; the
// answers come from g_fake.
#pragma once
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

struct FakePlatform {
  std::vector<std::string> log;
  // Controls and message boxes.
  int searchMode = 0, answer = 1;       // kAnswerYes
  std::map<int, std::u16string> texts;  // by control id
  bool lineSelected = false, categoryPicked = false, yes = false, startFails = false;
  std::u16string selectedLine;
  std::vector<std::vector<std::uintptr_t>> mapWindows;  // the map application's, per look; none after
  std::u16string ownPath = u"\\Program Files\\Kario\\kariosearch.exe", browser;  // the one file that exists
  // The Internet: a network or none (each look logs the mapping index it is given and moves it on, as a layer going
  // through its table does); per request 0 (no handle), 1 (a handle only) or 2 (connected), then 2; the answer chunk
  // by chunk, the chunk whose read fails, the last chunk again for ever; the clock's advance per look.
  bool network = true, openFails = false, endless = false;
  std::vector<int> attempts;
  std::vector<std::string> chunks;
  int readFailsAt = -1;
  uint32_t tickStep = 0, tick = 0xFFFFF000u;  // the clock wraps during a long fetch
  std::u16string temporaryFolder;
  std::size_t chunk = 0, offset = 0;  // where the next read starts
  // The device at start-up: registry texts (none: key or value missing), the ClearType key, the screen's width,
  // files with their bytes (a folder's bytes are nullopt: it exists, but a directory search finds no file).
  std::optional<std::u16string> cardSetting, mapNameSetting;
  bool clearTypeKey = false;
  int screenWidth = 240;
  std::map<std::u16string, std::optional<std::string>> files;
};
extern FakePlatform g_fake;

// Clears the log and the answers for the next test.
void ResetFake();
// The log lines that start with `prefix`.
std::vector<std::string> Logged(const std::string& prefix);
