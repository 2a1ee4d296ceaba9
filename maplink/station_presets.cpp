#include "maplink/station_presets.h"

namespace {

const StationPreset kPresets[kStationPresetCount] = {
    {40003, u"北海道（札幌駅）", 508876473, 155038309},
    {40004, u"東北（仙台駅）", 507189250, 137725027},
    {40005, u"関東（東京駅）", 503171492, 128439921},
    {40006, u"中部（名古屋駅）", 492784462, 126605286},
    {40007, u"関西（大阪駅）", 487794733, 124916659},
    {40008, u"中国四国（広島駅）", 476919773, 123819523},
    {40009, u"九州沖縄（博多駅）", 469523066, 120911061},
};

}  // namespace

const StationPreset* FindStationPreset(int commandId) {
  for (const StationPreset& preset : kPresets) {
    if (preset.commandId == commandId) return &preset;
  }
  return nullptr;
}

const StationPreset* StationPresets() { return kPresets; }
