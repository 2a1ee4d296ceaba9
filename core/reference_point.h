// The point the map application shows, in ms (Tokyo datum).  0 in either
// value means not set.  Only the screen reader writes it, both values
// together; it is never cleared.
#pragma once
#include <cstdint>

extern int32_t g_referenceLongitude;
extern int32_t g_referenceLatitude;

inline bool ReferencePointIsSet() { return g_referenceLongitude != 0 && g_referenceLatitude != 0; }
