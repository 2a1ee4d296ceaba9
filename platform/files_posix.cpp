#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files.h"
#include "platform/utf.h"

std::string g_nativeDeviceRoot;

std::string NativePath(const std::u16string& path) {
  std::string p = Utf16ToUtf8(path);
  for (char& c : p)
    if (c == '\\') c = '/';
  return p.compare(0, 1, "/") == 0 ? g_nativeDeviceRoot + p : p;
}

std::FILE* OpenDeviceFile(const std::u16string& path, const char* mode) {
  return std::fopen(NativePath(path).c_str(), mode);
}

bool ReadDeviceFile(const std::u16string& path, unsigned char* buffer, std::size_t capacity, std::size_t* size) {
  int fd = open(NativePath(path).c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  std::size_t got = 0;
  // A read returns less than asked at the end, and may also return less
  // before it: only 0 (or a failure) ends the file.
  while (got < capacity) {
    ssize_t n = read(fd, buffer + got, capacity - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  (void)close(fd);  // read only: closing cannot lose anything
  *size = got;
  return true;
}

void DeleteDeviceFile(const std::u16string& path) { (void)unlink(NativePath(path).c_str()); }
