// Handing the user over to the map application, and opening the manual.
#pragma once
#include <cstdint>
#include <string>

// Launch modes.
constexpr int kLaunchShowPoint = 0;       // start at the point, no destination
constexpr int kLaunchSetDestination = 1;  // start at the point and make it the destination
constexpr int kLaunchAsIs = 2;            // start without switches

// Closes a running map application (posts it message 2 and waits, one look
// per second, until its window is gone; not in mode as is), writes the
// destination values TLATV8 then TLONV8 (the point in mode set destination,
// else zeros; only when the key exists) and starts the map application,
// with switches unless the mode is as is.  Failures are silent.
void LaunchMapApplication(int32_t longitude, int32_t latitude, int mapType, int mode);

// Opens this program's HTML manual (the executable's path with its last three
// characters replaced by "htm") in the handheld's browser,
// "\Windows\iexplore.exe"; where there is none (a desktop), with the
// system's handler for .htm files.
void OpenManual();

// Portable pieces, for the platform code and the tests.
// " /M_LON=%d /M_LAT=%d /M_ANGLE=0 /M_TYPE=%d", with the leading blank.
std::u16string FormatLaunchSwitches(int32_t longitude, int32_t latitude, int mapType);
// The manual's path: the program path less its last three characters, plus "htm".
std::u16string ManualPathFor(const std::u16string& programPath);
