// The coordinate dialog's fields by axis, and which axis a field's id
// belongs to.  The ids of the two rows are not to be taken as ranges: the
// dialog's ids were given out by hand, and a field added or renumbered in
// one row must not fall silently into the other.
#pragma once
#include "dialog/milliseconds_field.h"

// The five fields of each axis, in the order degrees, minutes, seconds,
// hundredths, ms.
constexpr int kAxisFieldCount = 5;
extern const int kAxisFieldIds[2][kAxisFieldCount];
constexpr int kMillisecondsSlot = 4;

// The axis (kAxisLongitude or kAxisLatitude) whose degrees, minutes, seconds
// or hundredths field has the id `controlId`; -1 for any other id, the ms
// fields included (typing in them changes nothing else).
int AxisOfDegreeField(int controlId);
// The row of kAxisFieldIds for `axis`: anything but the latitude counts as
// the longitude, as in ComputeMillisecondsField.
int AxisRow(int axis);
