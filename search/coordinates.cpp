#include "search/coordinates.h"

#include <cmath>
#include <limits>

#include "core/reference_point.h"

namespace {

// Kilometre steps, one fixed scale per axis for the whole country.
constexpr int64_t kLongitudeMsPerKm = 40865;  // about 88.09 km per degree
constexpr int64_t kLatitudeMsPerKm = 32692;   // about 110.12 km per degree

// Datum shift constants.  c0 is stored and multiplied by (not divided by
// 3600000) so that results match the map application's own conversion to
// the last bit.
constexpr double kC0 = 1.0 / 3600000.0;
constexpr double kA1 = 1.000083049;
constexpr double kA2 = 4.6047e-05;
constexpr double kA3 = 0.010041;
constexpr double kB1 = 1.00010696;
constexpr double kB2 = 1.7467e-05;
constexpr double kB3 = 0.004602;
constexpr double kK = 3600000.0;

// Truncation toward zero into 32 bits.  Values that do not fit (only from
// absurd input such as a typed 1e30) are clamped instead of being left to
// undefined conversion; NaN becomes 0.
int32_t TruncateToInt32(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return std::numeric_limits<int32_t>::max();
  if (value <= -2147483648.0) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

}  // namespace

bool LongitudeInJapan(int64_t lon) { return lon >= kJapanLongitudeMin && lon <= kJapanLongitudeMax; }

bool LatitudeInJapan(int64_t lat) { return lat >= kJapanLatitudeMin && lat <= kJapanLatitudeMax; }

double DistanceFromReference(int32_t lon, int32_t lat) {
  // Each difference is cut to whole steps before any floating point, so the
  // result is always the root of a sum of two squared integers.  The
  // differences are taken in 64 bits: for any two positions that differ by
  // less than 2^31 ms this equals the 32-bit arithmetic, and positions from
  // far-off input cannot wrap around into a small distance.
  int64_t dx = (static_cast<int64_t>(g_referenceLongitude) - lon) / kLongitudeMsPerKm;
  int64_t dy = (static_cast<int64_t>(g_referenceLatitude) - lat) / kLatitudeMsPerKm;
  double dx2 = std::pow(static_cast<double>(dx), 2.0);
  double dy2 = std::pow(static_cast<double>(dy), 2.0);
  return std::sqrt(dy2 + dx2);
}

TokyoPoint ConvertWgs84ToTokyo(double lon, double lat) {
  // Order of operations matters for the last bit: both products first, then
  // the sum or difference, then the constant, then the scale.
  double lonD = lon * kC0;
  double latD = lat * kC0;
  double tokyoLon = ((lonD * kA1 + latD * kA2) - kA3) * kK;
  double tokyoLat = ((latD * kB1 - lonD * kB2) - kB3) * kK;
  return TokyoPoint{TruncateToInt32(tokyoLon), TruncateToInt32(tokyoLat)};
}
