// The rules of start-up discovery that do not depend on the platform: which
// candidate paths are tried in which order and which one wins.  The callers
// pass the existence test, so the rules can be checked anywhere.
#pragma once
#include <functional>
#include <string>

using PathExists = std::function<bool(const std::u16string& path)>;

struct MapApplicationChoice {
  std::u16string path;  // empty when none found
  int version = 0;      // 0, or 8 to 11
};

// Tries TessaraMobile8.exe to TessaraMobile11.exe, each first on the storage
// card ("\<card>\Program Files\Varnelle\") and then on the device
// ("\Program Files\Varnelle\").  The highest version wins; for the same
// version the card's copy wins.
MapApplicationChoice ChooseMapApplication(const std::u16string& storageCardName, const PathExists& fileExists);

// 1 for screens narrower than 480 pixels, else 2.
int DisplayScaleForWidth(int screenWidth);

// The map data folder that belongs to the map application's MNAMV8 setting:
// the setting's text up to and including its last '\', then "Map\".  A value
// without any '\' names no folder and gives an empty text.
std::u16string MapDataFolderFromMapName(const std::u16string& mapName);

struct QLCodeChoice {
  std::u16string path;  // empty when none found
  int version = 0;      // 0, 1 or 2
};

// Tests, in this order, "<folder>\qlcode.qldb", "\<card>\Varnelle\Map\qlcode.qldb",
// "<folder>\qlcode_v2.qldb" and "\<card>\Varnelle\Map\qlcode_v2.qldb"; the last
// one that exists wins.  The paths are used exactly as formed: the map data
// folder already ends with '\', so two backslashes meet there.
QLCodeChoice ChooseQLCodeDatabase(const std::u16string& mapDataFolder, const std::u16string& storageCardName,
                                  const PathExists& exists);

// The storage card's name: the registry's (or "????" without one) when a
// root folder of that name exists, else "内部ストレージ", the internal storage.
std::u16string ChooseStorageCardName(const std::u16string& fromRegistry, const PathExists& exists);
// The folder of a program path, without the last ''; empty without one.
std::u16string ProgramFolder(const std::u16string& programPath);
