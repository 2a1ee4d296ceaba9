// The seven station presets of the first menu (commands 40003 to 40009): the
// map application is started at the station with M_TYPE 12 and no
// destination.
#pragma once
#include <cstdint>

struct StationPreset {
  int commandId;
  int32_t longitude;  // ms, Tokyo datum
  int32_t latitude;
};

constexpr int kStationPresetMapType = 12;

// The preset of a menu command, or null when the id is not one.
const StationPreset* FindStationPreset(int commandId);
