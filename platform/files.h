// Files by device path.  Device paths use '\' as on the device; on Windows
// they are used as they are (relative to the current drive), natively every
// '\' becomes '/'.
#pragma once
#include <cstdio>
#include <string>

std::FILE* OpenDeviceFile(const std::u16string& path, const char* mode);
// True when the path's attributes can be read (file or folder).
bool DeviceFileExists(const std::u16string& path);
bool DeleteDeviceFile(const std::u16string& path);
