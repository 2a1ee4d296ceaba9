// What start-up discovers about the device.  Written only during start-up,
// read-only once the message loop runs.  Texts hold at most 255 characters.
#pragma once
#include <string>

struct Environment {
  std::u16string storageCardName = u"????";
  std::u16string mapApplicationPath;  // empty when none found
  int mapApplicationVersion = 0;      // 0, or 8 to 11
  int displayScale = 1;               // 1 or 2
  std::u16string mapDataFolder;       // normally ends with '\'
  std::u16string qlcodePath;          // empty when none found
  int qlcodeVersion = 0;              // 0, 1 or 2; only for the category list
  // True when HKLM\System\GDI\ClearType exists: the map application's
  // digits are then drawn smoothed, which the screen reader must know.
  bool clearType = false;
};

extern Environment g_environment;
