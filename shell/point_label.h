// The point label's text: the reference point as stored, longitude first.
#pragma once
#include <cstdint>
#include <string>

// "%d %d" of the two values in ms of arc.
std::u16string PointLabelText(int32_t longitude, int32_t latitude);
