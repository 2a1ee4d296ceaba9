// The two 16-bit offsets a mesh record stores before a place's name: how far
// each may reach from the centre it is measured from, and how many ms of arc
// one unit is at each level.  The scan reads records by them and the map
// data writer chooses them; both take them from here.
#pragma once
#include <cstdint>

#include "search/mesh.h"

struct MeshOffsetLimits {
  int32_t lon;  // an offset lies in [-lon, lon], and is never 0
  int32_t lat;
};

constexpr MeshOffsetLimits MeshOffsetLimitsAt(MeshLevel level) {
  return level == MeshLevel::M ? MeshOffsetLimits{7200, 4800} : MeshOffsetLimits{14400, 9600};
}

// One unit is 125 ms over this divisor: L 125 ms, M 62.5, R 15.625, either S
// layout 7.8125.
constexpr int32_t kMeshOffsetUnitMs = 125;
constexpr int32_t MeshOffsetDivisor(MeshLevel level) {
  switch (level) {
    case MeshLevel::L:
      return 1;
    case MeshLevel::M:
      return 2;
    case MeshLevel::R:
      return 8;
    case MeshLevel::SQuartered:
    case MeshLevel::SFine:
      return 16;
  }
  return 1;
}

// The ms of arc an offset stands for, the division truncating toward zero.
constexpr int64_t MeshOffsetMs(MeshLevel level, int32_t offset) {
  return static_cast<int64_t>(offset) * kMeshOffsetUnitMs / MeshOffsetDivisor(level);
}
