#include "core/reference_point.h"

int32_t g_referenceLongitude = 0;
int32_t g_referenceLatitude = 0;
