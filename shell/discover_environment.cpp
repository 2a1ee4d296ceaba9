#include "shell/discover_environment.h"

#include "maplink/map_application.h"
#include "search/phone_host.h"
#include "search/phone_search.h"
#include "shell/device_probe.h"
#include "shell/discovery.h"
#include "shell/override_files.h"

Environment DiscoverEnvironment() {
  Environment found;
  std::u16string cardSetting = found.storageCardName;
  ReadStorageCardSetting(&cardSetting);
  found.storageCardName = ChooseStorageCardName(cardSetting, PathAttributesReadable);

  const MapApplicationChoice application = ChooseMapApplication(found.storageCardName, DirectorySearchFindsFile);
  found.mapApplicationPath = application.path;
  found.mapApplicationVersion = application.version;

  found.displayScale = DisplayScaleForWidth(PrimaryScreenWidth());

  // The value name carries the fixed settings version 8, whatever version
  // of the map application was found.
  std::u16string mapName;
  if (ReadMapNameSetting(&mapName)) found.mapDataFolder = MapDataFolderFromMapName(mapName);

  // A program whose own path cannot be told has no folder to look beside:
  // an empty folder would put the device's root in its place.
  const std::u16string programPath = OwnProgramPath();
  if (!programPath.empty()) {
    const std::u16string programFolder = ProgramFolder(programPath);
    ApplyOverrideFile(programFolder + u"\\mappath.txt", &found.mapDataFolder);
    ApplyOverrideFile(programFolder + u"\\cardname.txt", &found.storageCardName);
    // A host that could not be asked, or would send the request elsewhere,
    // leaves the build's host in place; so does one too long to read whole.
    std::u16string host;
    if (ApplyWholeOverrideFile(programFolder + u"\\phonehost.txt", &host) && PhoneSearchHostUsable(host))
      g_phoneSearchHost = host;
  }

  found.clearType = ClearTypeKeyExists();

  const QLCodeChoice qlcode = ChooseQLCodeDatabase(found.mapDataFolder, found.storageCardName, PathAttributesReadable);
  found.qlcodePath = qlcode.path;
  found.qlcodeVersion = qlcode.version;
  return found;
}
