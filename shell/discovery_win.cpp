#include <windows.h>

#include "core/environment.h"
#include "maplink/map_application.h"
#include "platform/files.h"
#include "platform/utf.h"
#include "shell/discovery.h"
#include "shell/discovery_win.h"
#include "shell/override_files.h"

namespace {

// Reads a text value of at most 255 characters.  Registry text need not end
// with a terminator, so the buffer gets one of its own.
bool ReadRegistryText(HKEY root, const wchar_t* keyName, const wchar_t* valueName,
                      std::u16string* text) {
  HKEY key;
  if (RegOpenKeyExW(root, keyName, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
  wchar_t buffer[256] = {};
  DWORD type = 0;
  DWORD size = sizeof(buffer) - sizeof(wchar_t);
  LONG rc = RegQueryValueExW(key, valueName, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ)) return false;
  buffer[size / sizeof(wchar_t)] = L'\0';
  *text = FromWide(buffer);
  return true;
}

bool ExecutableExists(const std::u16string& path) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(AsWide(path), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

}  // namespace

void FindStorageCardName() {
  std::u16string name = u"????";
  // The handheld's registry takes the key with a leading '\'; the desktop's
  // refuses it, so it is left out.
  ReadRegistryText(HKEY_LOCAL_MACHINE, L"System\\StorageManager\\Profiles\\SDMemory", L"Folder", &name);
  g_environment.storageCardName = ChooseStorageCardName(name, DeviceFileExists);
}

int FindMapApplication() {
  MapApplicationChoice choice = ChooseMapApplication(g_environment.storageCardName, ExecutableExists);
  g_environment.mapApplicationPath = choice.path;
  return choice.version;
}

int GetDisplayScale() { return DisplayScaleForWidth(GetSystemMetrics(SM_CXSCREEN)); }

void FindMapDataFolder() {
  std::u16string mapName;
  // The value name carries the fixed settings version 8, whatever version
  // of the map application was found.
  if (ReadRegistryText(HKEY_CURRENT_USER, L"Software\\Varnelle\\Tessara Mobile\\QZV", L"MNAMV8", &mapName)) {
    g_environment.mapDataFolder = MapDataFolderFromMapName(mapName);
  }
}

void ApplyOverrideFiles() {
  const std::u16string folder = ProgramFolder(OwnProgramPath());
  ApplyOverrideFile(folder + u"\\mappath.txt", &g_environment.mapDataFolder);
  // Comes after the map application was looked for: the card name from the
  // file only moves the QLCode candidates and the card map folder.
  ApplyOverrideFile(folder + u"\\cardname.txt", &g_environment.storageCardName);
}

void FindQLCodeDatabase() {
  QLCodeChoice choice =
      ChooseQLCodeDatabase(g_environment.mapDataFolder, g_environment.storageCardName, DeviceFileExists);
  g_environment.qlcodePath = choice.path;
  g_environment.qlcodeVersion = choice.version;
}
