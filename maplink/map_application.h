// What launching asks of the platform: the map application's window and
// settings, starting programs, the browser.  The Windows side is
// launch_win.cpp; unit tests put a recording fake in its place.
#pragma once
#include <cstdint>
#include <string>

// Posts message 2 (the destroy message) to the map application's window;
// false when no window of its class exists.
bool PostEndToMapApplication();
// True while a window of the map application's class exists and its
// process still lives (a crashed one leaves a window behind for a while).
bool MapApplicationRunning();
void PauseOneSecond();
// Writes TLATV8 then TLONV8 under the map application's settings key; does
// nothing when the key does not exist.
void WriteDestinationValues(int32_t longitude, int32_t latitude);
// Starts `program` and lets it go; a null command line passes no arguments.
bool StartProgram(const std::u16string& program, const std::u16string* commandLine);
// This program's executable path; empty when it cannot be told.
std::u16string OwnProgramPath();
// "iexplore.exe" as the system finds it by name; empty when it is nowhere.
std::u16string FindBrowser();
// Opens a document with whatever the platform opens its kind with.
void OpenWithShell(const std::u16string& document);
