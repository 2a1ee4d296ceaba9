#include <windows.h>

#include "dialog/coordinate_dialog.h"
#include "maplink/launch.h"
#include "maplink/station_presets.h"
#include "resources/resource_ids.h"
#include "shell/main_window.h"

// The commands that hand over to the map application or open the manual.
// Returns false for ids that are none of them; those are ignored.
bool OnLaunchCommand(int id) {
  if (const StationPreset* preset = FindStationPreset(id)) {
    LaunchMapApplication(preset->longitude, preset->latitude, kStationPresetMapType, kLaunchShowPoint);
    return true;
  }
  switch (id) {
    case IDM_START_AS_IS:
      LaunchMapApplication(0, 0, 12, kLaunchAsIs);
      return true;
    case IDM_MANUAL:
      OpenManual();
      return true;
    case IDM_START_AT_COORDINATES:
      DialogBoxParamW(g_instance, MAKEINTRESOURCEW(IDD_COORDINATES), g_mainWindow, CoordinateDialogProc, 0);
      return true;
    default:
      return false;
  }
}
