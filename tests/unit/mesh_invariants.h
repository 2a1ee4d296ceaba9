// What must hold for the cell of any point at any level, shared by the unit
// test and the fuzz target: a message naming the first broken rule, or "".
#pragma once
#include <cstdint>
#include <regex>
#include <set>
#include <string>

#include "platform/utf.h"
#include "search/coordinates.h"
#include "search/mesh.h"

struct MeshCellSize {
  MeshLevel level;
  int64_t width, height;
};  // ms
inline const MeshCellSize kMeshCellSizes[] = {{MeshLevel::L, 3600000, 2400000},
                                              {MeshLevel::M, 900000, 600000},
                                              {MeshLevel::R, 450000, 300000},
                                              {MeshLevel::SQuartered, 450000, 300000},
                                              {MeshLevel::SFine, 56250, 37500}};

// Inside Japan a code is the level's file name: L "dddd.tgx", M "ddddd[A-D].tgx",
// R and SQuartered "dddddd", SFine "dddddddd.tgx" or "ddddddd[A-F].tgx";
// elsewhere it may carry minus signs but nothing else.
inline bool MeshCodeWellFormed(MeshLevel level, const std::u16string& wide, bool inJapan) {
  const std::string code = Utf16ToUtf8(wide);
  if (!inJapan)
    return !code.empty() && code.size() <= 40 && code.find_first_not_of("0123456789-.tgxABCDEF") == code.npos;
  static const std::regex kForms[] = {std::regex(R"(\d{4}\.tgx)"), std::regex(R"(\d{5}[A-D]\.tgx)"),
                                      std::regex(R"(\d{6})"), std::regex(R"(\d{6})"),
                                      std::regex(R"(\d{8}\.tgx|\d{7}[A-F]\.tgx)")};
  return std::regex_match(code, kForms[static_cast<int>(level)]);
}

inline std::string CheckCellInvariants(const MeshCellSize& s, int32_t lon, int32_t lat) {
  const bool inJapan = LongitudeInJapan(lon) && LatitudeInJapan(lat);
  const MeshCell cell = MeshCellAt(s.level, lon, lat);
  if (!MeshCodeWellFormed(s.level, cell.code, inJapan)) return "malformed code";
  if (lon <= -2000000000 || lon >= 2000000000 || lat <= -2000000000 || lat >= 2000000000) return "";
  // Half-open: the west and south edges belong to the cell, east and north do not.
  const int64_t west = cell.centreLon - s.width / 2, south = cell.centreLat - s.height / 2;
  if (lon < west || lon >= west + s.width || lat < south || lat >= south + s.height) return "point outside its cell";
  auto codeAt = [&](int64_t x, int64_t y) { return MeshCellAt(s.level, int32_t(x), int32_t(y)).code; };
  if (codeAt(west, south) != cell.code) return "the cell's corner names another cell";
  if (!inJapan) return "";
  if (codeAt(west - 1, south) == cell.code || codeAt(west, south - 1) == cell.code ||
      codeAt(west + s.width, south) == cell.code || codeAt(west, south + s.height) == cell.code)
    return "a neighbour has the same code";
  // The search visits distinct cells around the point's own, which is in the middle.
  const std::vector<MeshPoint> points = MeshSearchPoints(s.level, lon, lat);
  std::set<std::u16string> codes;
  for (const MeshPoint& p : points) codes.insert(codeAt(p.lon, p.lat));
  if (codes.size() != points.size()) return "two search points in one cell";
  const MeshPoint middle = points[points.size() / 2];
  if (codeAt(middle.lon, middle.lat) != cell.code) return "middle point elsewhere";
  return "";
}
