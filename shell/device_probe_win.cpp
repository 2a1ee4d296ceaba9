#include <windows.h>

#include "platform/files.h"
#include "platform/owned_handle_win.h"
#include "platform/utf.h"
#include "shell/device_probe.h"

namespace {

// Reads a text value of at most 255 characters.  Registry text need not end
// with a terminator, so the buffer gets one of its own.
bool ReadRegistryText(HKEY root, const wchar_t* keyName, const wchar_t* valueName, std::u16string* text) {
  const OwnedKey key = OpenKey(root, keyName, KEY_READ);
  if (!key) return false;
  wchar_t buffer[256] = {};
  DWORD type = 0;
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  LONG rc = RegQueryValueExW(key.Get(), valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  buffer[size / sizeof(wchar_t)] = L'\0';
  *text = FromWide(buffer);
  return true;
}

}  // namespace

bool ReadStorageCardSetting(std::u16string* folder) {
  // The handheld's registry takes the key with a leading '\'; the desktop's
  // refuses it, so it is left out.
  return ReadRegistryText(HKEY_LOCAL_MACHINE, L"System\\StorageManager\\Profiles\\SDMemory", L"Folder", folder);
}

bool ReadMapNameSetting(std::u16string* mapName) {
  return ReadRegistryText(HKEY_CURRENT_USER, L"Software\\Varnelle\\Tessara Mobile\\QZV", L"MNAMV8", mapName);
}

bool ClearTypeKeyExists() {
  return static_cast<bool>(OpenKey(HKEY_LOCAL_MACHINE, L"System\\GDI\\ClearType", KEY_READ));
}

bool PathAttributesReadable(const std::u16string& path) {
  return GetFileAttributesW(AsWide(path)) != INVALID_FILE_ATTRIBUTES;
}

bool DirectorySearchFindsFile(const std::u16string& path) {
  WIN32_FIND_DATAW found;
  const OwnedFileSearch search(NullIfInvalid(FindFirstFileW(AsWide(path), &found)));
  if (!search) return false;
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

bool ReadFileStart(const std::u16string& path, std::size_t limit, std::string* bytes) {
  const OwnedReadStream file(OpenDeviceFile(path, "rb"));
  if (!file) return false;
  bytes->assign(limit, '\0');
  bytes->resize(std::fread(&(*bytes)[0], 1, limit, file.Get()));
  return true;
}

int PrimaryScreenWidth() { return GetSystemMetrics(SM_CXSCREEN); }
