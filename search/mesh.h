// Which mesh files hold the place names around a point: the levels, their
// cells, the cells' codes and centres, the paths tried for a cell and the
// order in which cells are visited.  Pure integer arithmetic, no file access.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

enum class MeshLevel { L, M, R, SQuartered, SFine };

struct MeshCell {
  std::u16string code;    // e.g. u"5339.tgx", u"533946" (R and SQuartered: bare)
  int32_t centreLon = 0;  // ms; for SQuartered the second-order cell's centre
  int32_t centreLat = 0;
};

struct MeshPoint {
  int32_t lon;
  int32_t lat;
};

MeshCell MeshCellAt(MeshLevel level, int32_t lon, int32_t lat);
std::vector<MeshPoint> MeshSearchPoints(MeshLevel level, int32_t referenceLon, int32_t referenceLat);
// One or two paths, to be tried in order; `quarter` (1..4) only for SQuartered.
std::vector<std::u16string> MeshFileCandidates(MeshLevel level, const std::u16string& folder, const MeshCell& cell,
                                               int quarter);
MeshLevel SLayoutFor(int mapApplicationVersion);
// Number of files visited per search point (4 for SQuartered, else 1).
int MeshFilesPerPoint(MeshLevel level);
// Centre of SQuartered quarter `quarter` (1..4) of `cell`.
MeshPoint MeshQuarterCentre(const MeshCell& cell, int quarter);
