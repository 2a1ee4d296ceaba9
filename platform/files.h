// Files by device path.  Device paths use '\' as on the device; on Windows
// they are used as they are (relative to the current drive), natively every
// '\' becomes '/', under g_nativeDeviceRoot.
#pragma once
#include <cstdio>
#include <string>

#ifndef _WIN32
// Natively, the folder that stands for the device's root (a path that
// starts with '\' lies below it); empty for the real root.  Tests put it
// in a temporary folder, so that nothing lands in the real root.
extern std::string g_nativeDeviceRoot;
// The device path as the native file calls take it.
std::string NativePath(const std::u16string& path);
#endif

std::FILE* OpenDeviceFile(const std::u16string& path, const char* mode);

// Reads the file's first bytes, at most `capacity`, into `buffer` with the
// system's own calls: no stream buffer, no size query, nothing allocated,
// which on a search through a hundred files costs more than scanning one.
// False when the file cannot be opened; a read that fails part way keeps
// what came before it, as a short fread would.
bool ReadDeviceFile(const std::u16string& path, unsigned char* buffer, std::size_t capacity, std::size_t* size);

// A file that cannot be deleted stays; nobody can do more about it.
void DeleteDeviceFile(const std::u16string& path);
