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

void DeleteDeviceFile(const std::u16string& path) { (void)unlink(NativePath(path).c_str()); }
