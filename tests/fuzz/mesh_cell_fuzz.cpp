// Names cells of arbitrary points at every level.  Every point must lie in
// its cell (half-open, centred on the cell's centre), codes must be
// well-formed, and inside Japan they must have the exact shape of the
// level's file names.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <set>
#include <string>

#include "search/coordinates.h"
#include "search/mesh.h"

namespace {

struct Size {
  MeshLevel level;
  int64_t width, height;
};
const Size kSizes[] = {
    {MeshLevel::L, 3600000, 2400000}, {MeshLevel::M, 900000, 600000},    {MeshLevel::R, 450000, 300000},
    {MeshLevel::SQuartered, 450000, 300000}, {MeshLevel::SFine, 56250, 37500},
};

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

// The exact shapes inside Japan: L "dddd.tgx", M "ddddd[A-D].tgx",
// R and SQuartered "dddddd", SFine "ddddddd[0-9A-F].tgx".
bool ShapeInJapan(MeshLevel level, const std::u16string& code) {
  std::size_t digits = 0;
  while (digits < code.size() && IsDigit(code[digits])) ++digits;
  std::u16string rest = code.substr(digits);
  switch (level) {
    case MeshLevel::L:
      return digits == 4 && rest == u".tgx";
    case MeshLevel::M:
      return digits == 5 && rest.size() == 5 && rest[0] >= u'A' && rest[0] <= u'D' && rest.substr(1) == u".tgx";
    case MeshLevel::R:
    case MeshLevel::SQuartered:
      return digits == 6 && rest.empty();
    case MeshLevel::SFine:
      if (digits == 8) return rest == u".tgx";
      return digits == 7 && rest.size() == 5 && rest[0] >= u'A' && rest[0] <= u'F' && rest.substr(1) == u".tgx";
  }
  return false;
}

// Anywhere: digits and minus signs, then the level's ending.
bool ShapeAnywhere(const std::u16string& code) {
  if (code.empty() || code.size() > 40) return false;
  for (char16_t c : code)
    if (!IsDigit(c) && c != u'-' && c != u'.' && c != u't' && c != u'g' && c != u'x' && !(c >= u'A' && c <= u'F'))
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size < 8) return 0;
  int32_t rawLon, rawLat;
  std::memcpy(&rawLon, data, 4);
  std::memcpy(&rawLat, data + 4, 4);
  // Half the inputs are folded into Japan and its surroundings (100 to 180
  // degrees east, 0 to 60 degrees north); the rest are taken as they are.
  bool fold = size > 8 && (data[8] & 1);
  int32_t lon = fold ? static_cast<int32_t>(360000000 + (static_cast<uint32_t>(rawLon) % 288000000u)) : rawLon;
  int32_t lat = fold ? static_cast<int32_t>(static_cast<uint32_t>(rawLat) % 216000000u) : rawLat;
  bool checkable = lon > -2000000000 && lon < 2000000000 && lat > -2000000000 && lat < 2000000000;
  bool inJapan = LongitudeInJapan(lon) && LatitudeInJapan(lat);

  for (const Size& s : kSizes) {
    MeshCell cell = MeshCellAt(s.level, lon, lat);
    if (!ShapeAnywhere(cell.code)) std::abort();
    if (inJapan && !ShapeInJapan(s.level, cell.code)) std::abort();
    if (!checkable) continue;
    int64_t west = static_cast<int64_t>(cell.centreLon) - s.width / 2;
    int64_t south = static_cast<int64_t>(cell.centreLat) - s.height / 2;
    if (lon < west || lon >= west + s.width || lat < south || lat >= south + s.height) std::abort();
    // The cell's own corner names the same cell.
    if (MeshCellAt(s.level, static_cast<int32_t>(west), static_cast<int32_t>(south)).code != cell.code) std::abort();
    if (inJapan) {
      std::vector<MeshPoint> points = MeshSearchPoints(s.level, lon, lat);
      std::set<std::u16string> codes;
      for (const MeshPoint& p : points) codes.insert(MeshCellAt(s.level, p.lon, p.lat).code);
      if (codes.size() != points.size()) std::abort();
      const MeshPoint& middle = points[points.size() / 2];
      if (MeshCellAt(s.level, middle.lon, middle.lat).code != cell.code) std::abort();
      for (int q = 1; q <= MeshFilesPerPoint(s.level); ++q) {
        if (MeshFileCandidates(s.level, u"\\F\\", cell, q).empty()) std::abort();
      }
    }
  }
  return 0;
}
