#include "maplink/launch.h"

#include <algorithm>
#include <cstdio>

#include "core/environment.h"
#include "maplink/map_application.h"
#include "platform/utf.h"

namespace {

// Tells every running copy of the map application to end and waits, without
// limit, until none is left.  Telling only the first window would leave a
// second copy (started as is beside the first) running, and the wait would
// never end.  Each window is told once: one that appears while the others
// end is told when it is first seen, and a window that vanishes before the
// post makes the post fail harmlessly.
void CloseMapApplication() {
  std::vector<std::uintptr_t> told;
  for (auto windows = FindMapApplicationWindows(); !windows.empty(); windows = FindMapApplicationWindows()) {
    bool posted = false;
    for (std::uintptr_t window : windows) {
      if (std::find(told.begin(), told.end(), window) != told.end()) continue;
      PostEndToMapApplication(window);
      told.push_back(window);
      posted = true;
    }
    // Right after telling, look again at once; after that once a second.
    if (!posted) PauseOneSecond();
  }
}

std::u16string Quoted(const std::u16string& text) { return u"\"" + text + u"\""; }

// Where the handheld keeps its browser, the one a program starts by name.
constexpr char16_t kDeviceBrowser[] = u"\\Windows\\iexplore.exe";

}  // namespace

std::u16string FormatLaunchSwitches(int32_t longitude, int32_t latitude, int mapType) {
  char text[96];
  (void)std::snprintf(text, sizeof text, " /M_LON=%d /M_LAT=%d /M_ANGLE=0 /M_TYPE=%d", static_cast<int>(longitude),
                      static_cast<int>(latitude), mapType);
  return AsciiToUtf16(text);
}

std::u16string ManualPathFor(const std::u16string& programPath) {
  // Exactly three characters go, whatever the extension's length was.
  return programPath.substr(0, programPath.size() - std::min<std::size_t>(3, programPath.size())) + u"htm";
}

void LaunchMapApplication(int32_t longitude, int32_t latitude, int mapType, int mode) {
  const bool destination = mode == kLaunchSetDestination;
  if (mode != kLaunchAsIs) CloseMapApplication();
  // The values are written even for a start as is: a destination left from
  // an earlier start must not come back.
  WriteDestinationValues(destination ? longitude : 0, destination ? latitude : 0);
  if (g_environment.mapApplicationPath.empty()) return;
  if (mode == kLaunchAsIs) {
    StartProgram(g_environment.mapApplicationPath, nullptr);
  } else {
    const std::u16string switches = FormatLaunchSwitches(longitude, latitude, mapType);
    StartProgram(g_environment.mapApplicationPath, &switches);
  }
}

void OpenManual() {
  const std::u16string program = OwnProgramPath();
  if (program.empty()) return;
  const std::u16string manual = ManualPathFor(program);
  // The browser's arguments are the manual's path alone, quoted: a program
  // folder such as "Program Files" holds a blank.  On the desktop the command
  // line also names the program, as its first word.
  if (ProgramFileExists(kDeviceBrowser)) {
    const std::u16string commandLine = Quoted(kDeviceBrowser) + u" " + Quoted(manual);
    if (StartProgram(kDeviceBrowser, &commandLine)) return;
  }
  // A desktop has no handheld's browser (an "iexplore.exe" it may have
  // elsewhere is an old browser, or Wine's, which renders nothing without
  // its HTML engine): the page opens with whatever the system uses for .htm
  // files, the user's own browser.
  OpenWithShell(manual);
}
