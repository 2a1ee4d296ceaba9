#include <windows.h>

#include "platform/files.h"
#include "platform/utf.h"

std::FILE* OpenDeviceFile(const std::u16string& path, const char* mode) {
  std::u16string wideMode;
  for (const char* m = mode; *m; ++m) wideMode.push_back(static_cast<char16_t>(*m));
  return _wfopen(AsWide(path), AsWide(wideMode));
}

void DeleteDeviceFile(const std::u16string& path) { (void)DeleteFileW(AsWide(path)); }
