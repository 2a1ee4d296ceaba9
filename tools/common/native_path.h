// A device path ('\' as on the device) as this machine's file calls take
// it, for the tools' own file work: as it is on Windows, natively as the
// product's file layer turns it (platform/files.h).
#pragma once
#include <filesystem>
#include <string>

#include "platform/files.h"

inline std::filesystem::path NativeFilePath(const std::u16string& devicePath) {
#ifdef _WIN32
  return std::filesystem::path(devicePath);
#else
  return std::filesystem::path(NativePath(devicePath));
#endif
}
