// What start-up reads from the device: two registry texts, whether a key
// exists, whether paths exist, the start of a file and the screen's width
// (the program's own path is OwnProgramPath, maplink/map_application.h).
// The Windows side is device_probe_win.cpp; unit tests put a recording fake
// in its place.
#pragma once
#include <cstddef>
#include <string>

// HKLM "\System\StorageManager\Profiles\SDMemory", text value "Folder" (at
// most 255 characters); false, leaving *folder alone, when either is missing.
bool ReadStorageCardSetting(std::u16string* folder);
// HKCU "Software\Varnelle\Tessara Mobile\QZV", text value "MNAMV8"; the same
// rules.
bool ReadMapNameSetting(std::u16string* mapName);
// True when HKLM "System\GDI\ClearType" opens; nothing is read from it.
bool ClearTypeKeyExists();
// True when the path's attributes can be read: a file or a folder.
bool PathAttributesReadable(const std::u16string& path);
// True when a directory search for exactly this path finds a file, not a
// folder.
bool DirectorySearchFindsFile(const std::u16string& path);
// The first `limit` bytes of a file (fewer when it is shorter); false when
// it does not open.
bool ReadFileStart(const std::u16string& path, std::size_t limit, std::string* bytes);
// The primary screen's width in pixels.
int PrimaryScreenWidth();
