// Coordinate arithmetic shared by the searches and the coordinate dialog.
// Positions are Tokyo-datum longitudes and latitudes in milliseconds of arc
// (ms, 1 degree = 3600000) held as signed 32-bit integers.
#pragma once
#include <cstdint>

// Japan bounds, inclusive: a value equal to a limit is inside.
constexpr int32_t kJapanLongitudeMin = 439200000;  // 122 degrees
constexpr int32_t kJapanLongitudeMax = 536400000;  // 149 degrees
constexpr int32_t kJapanLatitudeMin = 86400000;    // 24 degrees
constexpr int32_t kJapanLatitudeMax = 165600000;   // 46 degrees

bool LongitudeInJapan(int64_t lon);
bool LatitudeInJapan(int64_t lat);

// Coarse flat-earth distance in km from the reference point: each axis is cut
// to whole kilometre steps first (40865 ms per step east-west, 32692 ms
// north-south, truncated toward zero), then combined.
double DistanceFromReference(int32_t lon, int32_t lat);

struct TokyoPoint {
  int32_t lon;
  int32_t lat;
};

// WGS84 (ms, real values) to Tokyo datum (ms, truncated toward zero).
TokyoPoint ConvertWgs84ToTokyo(double lon, double lat);
