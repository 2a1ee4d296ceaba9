#include "tests/unit/fake_seams.h"

#include <cstring>

#include "maplink/map_application.h"
#include "platform/message_box.h"
#include "platform/utf.h"
#include "search/internet.h"
#include "shell/busy.h"
#include "shell/controls.h"
#include "shell/device_probe.h"

FakePlatform g_fake;

void ResetFake() { g_fake = FakePlatform(); }

std::vector<std::string> Logged(const std::string& prefix) {
  std::vector<std::string> lines;
  for (const std::string& line : g_fake.log)
    if (line.compare(0, prefix.size(), prefix) == 0) lines.push_back(line);
  return lines;
}

namespace {
void Log(const std::string& line) { g_fake.log.push_back(line); }
std::string U8(const std::u16string& text) { return Utf16ToUtf8(text); }
// Logs the call, then gives the fake's answer.
template <typename T>
T Reply(const std::string& line, T answer) {
  Log(line);
  return answer;
}
}  // namespace

void ShowMessage(const std::u16string& text) { Log("message " + U8(text)); }
bool AskYesNo(const std::u16string& text) { return Reply("ask " + U8(text), g_fake.yes); }
int AskYesNoCancel(const std::u16string& text, const std::u16string& title) {
  return Reply("ask " + U8(title) + ": " + U8(text), g_fake.answer);
}

void EnableControls(bool enabled) { Log(enabled ? "enable" : "disable"); }
int ReadSearchMode() { return g_fake.searchMode; }
std::u16string ReadControlText(int id, std::size_t capacity) {
  return Reply("read " + std::to_string(id), g_fake.texts[id].substr(0, capacity - 1));
}
bool ReadSelectedResultLine(std::u16string* line) {
  *line = g_fake.selectedLine;
  return g_fake.lineSelected;
}
bool CategoryPicked() { return g_fake.categoryPicked; }
void FocusControl(int id) { Log("focus " + std::to_string(id)); }
void ShowInputInFront(int front, int back, bool focus) {
  Log((focus ? "focus front " : "front ") + std::to_string(front) + " over " + std::to_string(back));
}
void EndProgram() { Log("end"); }

std::vector<std::uintptr_t> FindMapApplicationWindows() {
  const std::size_t n = Reply("look", Logged("look").size());  // the looks before this one
  return n < g_fake.mapWindows.size() ? g_fake.mapWindows[n] : std::vector<std::uintptr_t>{};
}
void PostEndToMapApplication(std::uintptr_t window) { Log("post end " + std::to_string(window)); }
void PauseOneSecond() { Log("pause"); }
void WriteDestinationValues(int32_t lon, int32_t lat) {
  Log("write " + std::to_string(lon) + " " + std::to_string(lat));
}
bool StartProgram(const std::u16string& program, const std::u16string* commandLine) {
  return Reply("start " + U8(program) + (commandLine ? "|" + U8(*commandLine) : ""), !g_fake.startFails);
}
std::u16string OwnProgramPath() { return g_fake.ownPath; }
bool ProgramFileExists(const std::u16string& path) { return Reply("exists " + U8(path), path == g_fake.browser); }
void OpenWithShell(const std::u16string& document) { Log("shell " + U8(document)); }

bool ChooseInternetNetwork(uint32_t* index) {
  Log("choose " + std::to_string(*index));
  ++*index;
  return g_fake.network;
}
ConnectionAttempt RequestInternetConnection() {
  const std::size_t n = Reply("request", Logged("request").size());  // the requests before this one
  const int outcome = n < g_fake.attempts.size() ? g_fake.attempts[n] : 2;
  return ConnectionAttempt{outcome > 0, outcome == 2};
}
void ReleaseInternetConnection(bool keepCached) { Log(keepCached ? "release cached" : "release"); }
bool OpenWebAnswer(const std::u16string& url, uint32_t flags, uint32_t* error) {
  Log("open " + U8(url) + " flags " + std::to_string(flags));
  if (!g_fake.openFails) return true;
  *error = 12007;
  return false;
}
bool ReadWebAnswer(char* buffer, std::size_t capacity, std::size_t* read) {
  std::size_t &chunk = g_fake.chunk, &offset = g_fake.offset;
  *read = 0;
  if (static_cast<int>(chunk) == g_fake.readFailsAt) return false;
  if (chunk >= g_fake.chunks.size()) {
    if (!g_fake.endless || g_fake.chunks.empty()) return true;
    chunk = g_fake.chunks.size() - 1;
  }
  const std::string& text = g_fake.chunks[chunk];
  *read = std::min(capacity, text.size() - offset);
  std::memcpy(buffer, text.data() + offset, *read);
  offset += *read;
  if (offset == text.size()) {
    ++chunk;
    offset = 0;
  }
  return true;
}
void CloseWebAnswer() { Log("close"); }
uint32_t TickMilliseconds() { return g_fake.tick += g_fake.tickStep; }
std::u16string TemporaryFolder() { return g_fake.temporaryFolder; }

template <typename T>
bool Answer(const std::string& line, const std::optional<T>& value, T* out) {
  Log(line);
  if (value) *out = *value;
  return value.has_value();
}
bool ReadStorageCardSetting(std::u16string* folder) { return Answer("registry Folder", g_fake.cardSetting, folder); }
bool ReadMapNameSetting(std::u16string* mapName) { return Answer("registry MNAMV8", g_fake.mapNameSetting, mapName); }
bool ClearTypeKeyExists() { return Reply("registry ClearType", g_fake.clearTypeKey); }
bool PathAttributesReadable(const std::u16string& path) {
  return Reply("attributes " + U8(path), g_fake.files.count(path) > 0);
}
bool DirectorySearchFindsFile(const std::u16string& path) {
  return Reply("find " + U8(path), g_fake.files.count(path) && g_fake.files[path]);
}
bool ReadFileStart(const std::u16string& path, std::size_t limit, std::string* bytes) {
  const auto file = g_fake.files.count(path) ? g_fake.files[path] : std::nullopt;
  return Answer("read " + U8(path), file ? std::optional(file->substr(0, limit)) : std::nullopt, bytes);
}
int PrimaryScreenWidth() { return Reply("screen width", g_fake.screenWidth); }
