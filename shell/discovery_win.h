// Start-up discovery on the device: each operation fills its part of
// g_environment.
#pragma once
#include <string>

// Storage card name from the storage manager's SD profile; "内部ストレージ" when
// the profile names no existing folder.
void FindStorageCardName();
// Sets the map application path and returns its version (0 when none).
int FindMapApplication();
int GetDisplayScale();
// Map data folder from the map application's MNAMV8 setting; left as it is
// when the key or the value is missing.
void FindMapDataFolder();
// "mappath.txt" and "cardname.txt" beside the executable.
void ApplyOverrideFiles();
// Runs while the main window is created; sets the QLCode path and version.
void FindQLCodeDatabase();
