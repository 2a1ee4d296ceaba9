#include "dialog/axis_fields.h"

#include "resources/resource_ids.h"

const int kAxisFieldIds[2][kAxisFieldCount] = {
    {IDC_LON_DEGREES, IDC_LON_MINUTES, IDC_LON_SECONDS, IDC_LON_HUNDREDTHS, IDC_LON_MS},
    {IDC_LAT_DEGREES, IDC_LAT_MINUTES, IDC_LAT_SECONDS, IDC_LAT_HUNDREDTHS, IDC_LAT_MS},
};

int AxisOfDegreeField(int controlId) {
  for (int axis : {kAxisLongitude, kAxisLatitude}) {
    for (int slot = 0; slot < kMillisecondsSlot; ++slot) {
      if (kAxisFieldIds[axis][slot] == controlId) return axis;
    }
  }
  return -1;
}

int AxisRow(int axis) { return axis == kAxisLatitude ? kAxisLatitude : kAxisLongitude; }
