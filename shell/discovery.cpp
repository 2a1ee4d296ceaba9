#include "shell/discovery.h"

namespace {
std::u16string VersionText(int n) {
  std::u16string text;
  if (n >= 10) text.push_back(static_cast<char16_t>(u'0' + n / 10));
  text.push_back(static_cast<char16_t>(u'0' + n % 10));
  return text;
}
}  // namespace

MapApplicationChoice ChooseMapApplication(const std::u16string& storageCardName, const PathExists& fileExists) {
  MapApplicationChoice choice;
  for (int n = 8; n <= 11; ++n) {
    const std::u16string name = u"TessaraMobile" + VersionText(n) + u".exe";
    const std::u16string candidates[] = {
        std::u16string(u"\\").append(storageCardName).append(u"\\Program Files\\Varnelle\\").append(name),
        u"\\Program Files\\Varnelle\\" + name,
    };
    for (const std::u16string& candidate : candidates) {
      if (n > choice.version && fileExists(candidate)) {
        choice.path = candidate;
        choice.version = n;
      }
    }
  }
  return choice;
}

int DisplayScaleForWidth(int screenWidth) { return screenWidth < 480 ? 1 : 2; }

std::u16string MapDataFolderFromMapName(const std::u16string& mapName) {
  std::size_t slash = mapName.rfind(u'\\');
  if (slash == std::u16string::npos) return std::u16string();
  return mapName.substr(0, slash + 1) + u"Map\\";
}

QLCodeChoice ChooseQLCodeDatabase(const std::u16string& mapDataFolder, const std::u16string& storageCardName,
                                  const PathExists& exists) {
  const struct {
    std::u16string path;
    int version;
  } candidates[] = {
      {mapDataFolder + u"\\qlcode.qldb", 1},
      {u"\\" + storageCardName + u"\\Varnelle\\Map\\qlcode.qldb", 1},
      {mapDataFolder + u"\\qlcode_v2.qldb", 2},
      {u"\\" + storageCardName + u"\\Varnelle\\Map\\qlcode_v2.qldb", 2},
  };
  QLCodeChoice choice;
  for (const auto& candidate : candidates) {
    if (exists(candidate.path)) {
      choice.path = candidate.path;
      choice.version = candidate.version;
    }
  }
  return choice;
}

std::u16string ChooseStorageCardName(const std::u16string& fromRegistry, const PathExists& exists) {
  // "????" names no folder, so a missing value always ends in the fallback.
  return exists(u"\\" + fromRegistry) ? fromRegistry : u"内部ストレージ";
}

std::u16string ProgramFolder(const std::u16string& programPath) {
  const std::size_t slash = programPath.rfind(u'\\');
  return slash == std::u16string::npos ? std::u16string() : programPath.substr(0, slash);
}
