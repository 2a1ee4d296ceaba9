// What OK in the coordinate dialog does with the two ms fields.
#pragma once
#include <string>

// M_TYPE of a start at typed coordinates.
constexpr int kTypedPointMapType = 10;

// Reads the fields (ReadTypedPoint) and starts the map application there
// without a destination; a point outside Japan is refused with a message.
// Returns whether it started.
bool StartAtTypedPoint(const std::u16string& lonText, const std::u16string& latText, bool wgs84);
