#include "search/mesh.h"

#include <cstdio>

#include "platform/utf.h"

namespace {

// First-order cell: 1 degree of longitude by 40 minutes of latitude, indexed
// from 100 degrees east and from the equator.
constexpr int64_t kFirstOrderWidth = 3600000;
constexpr int64_t kFirstOrderHeight = 2400000;
constexpr int64_t kFirstOrderLonOrigin = 360000000;  // 100 degrees east
// Second-order cell: the first-order cell divided 8 x 8.
constexpr int64_t kSecondOrderWidth = 450000;
constexpr int64_t kSecondOrderHeight = 300000;
// Fine cells of the S level: each second-order quarter divided 4 x 4.
constexpr int64_t kFineWidth = 56250;
constexpr int64_t kFineHeight = 37500;

// Floor division by a positive divisor (every divisor here is a cell size).
// Inside Japan every dividend is positive and this is the plain truncating
// division; it only differs for points west of 100 degrees east or south of
// the equator, where flooring still names a cell that contains the point and
// keeps every sub-index in its range (so codes stay well-formed and the fine
// index never leaves 0..F).  A negative dividend leaves a negative remainder.
int64_t FloorDiv(int64_t a, int64_t b) { return a / b - (a % b < 0 ? 1 : 0); }

// Quarters of a 2 x 2 split: 1 south-west, 2 south-east, 3 north-west,
// 4 north-east.
int QuarterNumber(bool east, bool north) { return 1 + (east ? 1 : 0) + (north ? 2 : 0); }
bool QuarterIsEast(int quarter) { return quarter == 2 || quarter == 4; }
bool QuarterIsNorth(int quarter) { return quarter == 3 || quarter == 4; }

struct FirstOrder {
  int64_t lonIndex;
  int64_t latIndex;
  int64_t west;   // W1
  int64_t south;  // S1
};

FirstOrder FirstOrderAt(int64_t lon, int64_t lat) {
  FirstOrder f;
  f.lonIndex = FloorDiv(lon - kFirstOrderLonOrigin, kFirstOrderWidth);
  f.latIndex = FloorDiv(lat, kFirstOrderHeight);
  f.west = (f.lonIndex + 100) * kFirstOrderWidth;
  f.south = f.latIndex * kFirstOrderHeight;
  return f;
}

struct SecondOrder {
  int64_t row;
  int64_t col;
  int64_t centreLon;
  int64_t centreLat;
};

SecondOrder SecondOrderAt(const FirstOrder& f, int64_t lon, int64_t lat) {
  SecondOrder s;
  s.col = FloorDiv(lon - f.west, kSecondOrderWidth);
  s.row = FloorDiv(lat - f.south, kSecondOrderHeight);
  s.centreLon = f.west + s.col * kSecondOrderWidth + kSecondOrderWidth / 2;
  s.centreLat = f.south + s.row * kSecondOrderHeight + kSecondOrderHeight / 2;
  return s;
}

MeshCell MakeCell(const char* code, int64_t centreLon, int64_t centreLat) {
  MeshCell cell;
  cell.code = AsciiToUtf16(code);
  cell.centreLon = static_cast<int32_t>(centreLon);
  cell.centreLat = static_cast<int32_t>(centreLat);
  return cell;
}

MeshCell CellL(const FirstOrder& f) {
  char code[64];
  (void)std::snprintf(code, sizeof code, "%lld%lld.tgx", static_cast<long long>(f.latIndex),
                      static_cast<long long>(f.lonIndex));
  return MakeCell(code, f.west + kFirstOrderWidth / 2, f.south + kFirstOrderHeight / 2);
}

// Level M: the first-order cell split 2 x 2 twice, each time by the sign of
// the difference from the current centre; a point exactly on the centre
// line belongs to the east or north part.
MeshCell CellM(const FirstOrder& f, int64_t lon, int64_t lat) {
  int64_t centreLon = f.west + kFirstOrderWidth / 2;
  int64_t centreLat = f.south + kFirstOrderHeight / 2;
  int64_t shiftLon = kFirstOrderWidth / 4;   // 900000
  int64_t shiftLat = kFirstOrderHeight / 4;  // 600000
  int quarters[2];
  for (int split = 0; split < 2; ++split) {
    bool east = lon - centreLon >= 0;
    bool north = lat - centreLat >= 0;
    quarters[split] = QuarterNumber(east, north);
    centreLon += east ? shiftLon : -shiftLon;
    centreLat += north ? shiftLat : -shiftLat;
    shiftLon /= 2;
    shiftLat /= 2;
  }
  static const char kLetters[] = "ABCD";
  char code[64];
  (void)std::snprintf(code, sizeof code, "%lld%lld%d%c.tgx", static_cast<long long>(f.latIndex),
                      static_cast<long long>(f.lonIndex), quarters[0], kLetters[quarters[1] - 1]);
  return MakeCell(code, centreLon, centreLat);
}

void FormatSecondOrderCode(char* code, std::size_t size, const FirstOrder& f, const SecondOrder& s) {
  (void)std::snprintf(code, size, "%lld%lld%lld%lld", static_cast<long long>(f.latIndex),
                      static_cast<long long>(f.lonIndex), static_cast<long long>(s.row), static_cast<long long>(s.col));
}

MeshCell CellR(const FirstOrder& f, const SecondOrder& s) {
  char code[64];
  FormatSecondOrderCode(code, sizeof code, f, s);
  return MakeCell(code, s.centreLon, s.centreLat);
}

MeshCell CellSFine(const FirstOrder& f, const SecondOrder& s, int64_t lon, int64_t lat) {
  bool east = lon >= s.centreLon;
  bool north = lat >= s.centreLat;
  int quarter = QuarterNumber(east, north);
  int64_t quarterWest = east ? s.centreLon : s.centreLon - kSecondOrderWidth / 2;
  int64_t quarterSouth = north ? s.centreLat : s.centreLat - kSecondOrderHeight / 2;
  int64_t fineCol = FloorDiv(lon - quarterWest, kFineWidth);
  int64_t fineRow = FloorDiv(lat - quarterSouth, kFineHeight);
  int fineIndex = static_cast<int>(fineRow * 4 + fineCol);
  char second[64];
  FormatSecondOrderCode(second, sizeof second, f, s);
  char code[80];
  (void)std::snprintf(code, sizeof code, "%s%d%X.tgx", second, quarter, static_cast<unsigned>(fineIndex));
  return MakeCell(code, quarterWest + fineCol * kFineWidth + kFineWidth / 2,
                  quarterSouth + fineRow * kFineHeight + kFineHeight / 2);
}

std::u16string QuarterText(int quarter) { return std::u16string(1, static_cast<char16_t>(u'0' + quarter)); }

}  // namespace

MeshCell MeshCellAt(MeshLevel level, int32_t lon, int32_t lat) {
  FirstOrder f = FirstOrderAt(lon, lat);
  switch (level) {
    case MeshLevel::L:
      return CellL(f);
    case MeshLevel::M:
      return CellM(f, lon, lat);
    case MeshLevel::R:
    case MeshLevel::SQuartered:
      return CellR(f, SecondOrderAt(f, lon, lat));
    case MeshLevel::SFine:
      return CellSFine(f, SecondOrderAt(f, lon, lat), lon, lat);
  }
  return MeshCell();
}

std::vector<MeshPoint> MeshSearchPoints(MeshLevel level, int32_t referenceLon, int32_t referenceLat) {
  std::vector<MeshPoint> points;
  auto add = [&](int64_t dLon, int64_t dLat) {
    points.push_back(MeshPoint{static_cast<int32_t>(referenceLon + dLon), static_cast<int32_t>(referenceLat + dLat)});
  };
  switch (level) {
    case MeshLevel::L:
      // Rows outer, south to north; columns inner, west to east.
      for (int j = -1; j <= 1; ++j)
        for (int i = -1; i <= 1; ++i) add(i * kFirstOrderWidth, j * kFirstOrderHeight);
      break;
    case MeshLevel::M:
      for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j) add(i * (kFirstOrderWidth / 4), j * (kFirstOrderHeight / 4));
      break;
    case MeshLevel::R:
    case MeshLevel::SQuartered:
      for (int i = -1; i <= 1; ++i)
        for (int j = -1; j <= 1; ++j) add(i * kSecondOrderWidth, j * kSecondOrderHeight);
      break;
    case MeshLevel::SFine:
      // 11 x 11 fine cells: columns outer, west to east; rows inner.
      for (int i = 0; i <= 10; ++i)
        for (int j = 0; j <= 10; ++j) add(-5 * kFineWidth + kFineWidth * i, -5 * kFineHeight + kFineHeight * j);
      break;
  }
  return points;
}

// Paths are plain concatenations; a folder too long for the platform simply
// makes the file fail to open, which skips it like any missing file.
std::vector<std::u16string> MeshFileCandidates(MeshLevel level, const std::u16string& folder, const MeshCell& cell,
                                               int quarter) {
  switch (level) {
    case MeshLevel::L:
      return {folder + u"levelL\\" + cell.code};
    case MeshLevel::M:
      return {folder + u"levelM\\" + cell.code};
    case MeshLevel::R:
      return {folder + u"levelR\\" + cell.code + u".tgx", folder + u"_levelR\\" + cell.code + u".tgx"};
    case MeshLevel::SQuartered:
      return {folder + u"levelS\\" + cell.code + QuarterText(quarter) + u".tgx",
              folder + u"_levelS\\" + cell.code + QuarterText(quarter) + u".tgx"};
    case MeshLevel::SFine:
      return {folder + u"levelS\\" + cell.code};
  }
  return {};
}

MeshLevel SLayoutFor(int mapApplicationVersion) {
  return mapApplicationVersion >= 10 ? MeshLevel::SFine : MeshLevel::SQuartered;
}

int MeshFilesPerPoint(MeshLevel level) { return level == MeshLevel::SQuartered ? 4 : 1; }

MeshPoint MeshQuarterCentre(const MeshCell& cell, int quarter) {
  int64_t lon = cell.centreLon + (QuarterIsEast(quarter) ? kSecondOrderWidth / 4 : -kSecondOrderWidth / 4);
  int64_t lat = cell.centreLat + (QuarterIsNorth(quarter) ? kSecondOrderHeight / 4 : -kSecondOrderHeight / 4);
  return MeshPoint{static_cast<int32_t>(lon), static_cast<int32_t>(lat)};
}
