// What launching asks of the platform: the map application's window and
// settings, starting programs, whether a file exists, the system's handler
// for a document.  The Windows side is map_application_win.cpp; unit tests
// put a recording fake in its place.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// The map application's top-level windows (by class) whose processes still
// live: a crashed one leaves its window behind for a while.  More than one
// when copies were started side by side.  The values only name windows.
std::vector<std::uintptr_t> FindMapApplicationWindows();
// Posts message 2 (the destroy message) to one of those windows.
void PostEndToMapApplication(std::uintptr_t window);
void PauseOneSecond();
// Writes TLATV8 then TLONV8 under the map application's settings key; does
// nothing when the key does not exist.
void WriteDestinationValues(int32_t longitude, int32_t latitude);
// Starts `program` and lets it go; a null command line passes no arguments.
bool StartProgram(const std::u16string& program, const std::u16string* commandLine);
// This program's executable path; empty when it cannot be told.
std::u16string OwnProgramPath();
// True when `path` names a file, not a folder.
bool ProgramFileExists(const std::u16string& path);
// Opens a document with whatever the platform opens its kind with.
void OpenWithShell(const std::u16string& document);
