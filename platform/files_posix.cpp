#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"
#include "platform/utf.h"

std::string g_nativeDeviceRoot;

namespace {
std::string NativePath(const std::u16string& path) {
  std::string p = Utf16ToUtf8(path);
  for (char& c : p) if (c == '\\') c = '/';
  return p.compare(0, 1, "/") == 0 ? g_nativeDeviceRoot + p : p;
}
}  // namespace

std::FILE* OpenDeviceFile(const std::u16string& path, const char* mode) {
  return std::fopen(NativePath(path).c_str(), mode);
}

bool DeviceFileExists(const std::u16string& path) {
  struct stat st;
  return stat(NativePath(path).c_str(), &st) == 0;
}

bool DeleteDeviceFile(const std::u16string& path) { return unlink(NativePath(path).c_str()) == 0; }
