#include "maplink/station_presets.h"

#include "resources/resource_ids.h"

namespace {

const StationPreset kPresets[] = {
    {IDM_STATION_SAPPORO, 508876473, 155038309},    // 北海道（札幌駅）
    {IDM_STATION_SENDAI, 507189250, 137725027},     // 東北（仙台駅）
    {IDM_STATION_TOKYO, 503171492, 128439921},      // 関東（東京駅）
    {IDM_STATION_NAGOYA, 492784462, 126605286},     // 中部（名古屋駅）
    {IDM_STATION_OSAKA, 487794733, 124916659},      // 関西（大阪駅）
    {IDM_STATION_HIROSHIMA, 476919773, 123819523},  // 中国四国（広島駅）
    {IDM_STATION_HAKATA, 469523066, 120911061},     // 九州沖縄（博多駅）
};

}  // namespace

const StationPreset* FindStationPreset(int commandId) {
  for (const StationPreset& preset : kPresets) {
    if (preset.commandId == commandId) return &preset;
  }
  return nullptr;
}
