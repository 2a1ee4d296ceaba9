#include "shell/commands.h"

#include "core/messages.h"
#include "maplink/launch.h"
#include "maplink/station_presets.h"
#include "platform/message_box.h"
#include "resources/resource_ids.h"
#include "shell/controls.h"
#include "shell/search_modes.h"

namespace {

// The M_TYPE of a start as is; the map application ignores it without switches.
constexpr int kAsIsMapType = 12;

// The selected mode's input in front of the other, which it shares a place with.
void ShowTermInput(bool focus) {
  const int input = TermControlForMode(ReadSearchMode());
  ShowInputInFront(input, input == IDC_SEARCH_EDIT ? IDC_CATEGORY_COMBO : IDC_SEARCH_EDIT, focus);
}

}  // namespace

void SwitchSearchMode() { ShowTermInput(true); }

void ShowInputForSearchMode() { ShowTermInput(false); }

void FocusSearchTerm() { FocusControl(TermControlForMode(ReadSearchMode())); }

void AskVersionAndExit() {
  if (AskYesNo(kVersionQuestion)) EndProgram();
}

bool StartMapApplicationCommand(int id) {
  if (const StationPreset* preset = FindStationPreset(id)) {
    LaunchMapApplication(preset->longitude, preset->latitude, kStationPresetMapType, kLaunchShowPoint);
    return true;
  }
  if (id == IDM_START_AS_IS) {
    LaunchMapApplication(0, 0, kAsIsMapType, kLaunchAsIs);
    return true;
  }
  return false;
}
