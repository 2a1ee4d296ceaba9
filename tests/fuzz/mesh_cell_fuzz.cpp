// Names cells of arbitrary points at every level and checks the rules every cell must keep (mesh_invariants.h).
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "tests/unit/mesh_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  int32_t rawLon, rawLat;
  std::memcpy(&rawLon, data, 4);
  std::memcpy(&rawLat, data + 4, 4);
  // Half the inputs are folded into Japan and its surroundings (100 to 180
  // degrees east, 0 to 60 degrees north); the rest are taken as they are.
  const bool fold = size > 8 && (data[8] & 1);
  const int32_t lon = fold ? int32_t(360000000 + uint32_t(rawLon) % 288000000u) : rawLon;
  const int32_t lat = fold ? int32_t(uint32_t(rawLat) % 216000000u) : rawLat;
  for (const MeshCellSize& s : kMeshCellSizes) {
    const std::string fault = CheckCellInvariants(s, lon, lat);
    if (!fault.empty()) {
      std::fprintf(stderr, "level %d at %d,%d: %s\n", int(s.level), lon, lat, fault.c_str());
      std::abort();
    }
  }
  return 0;
}
