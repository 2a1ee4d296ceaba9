#include "dialog/axis_fields.h"

#include <gtest/gtest.h>

// The dialog's ids as its template numbers them: longitude degrees to
// hundredths 1011–1014, latitude 1016–1019; the ms fields 1004 and 1020, the
// datum buttons 1021 and 1022, OK 1 and Cancel 2 belong to no row.
TEST(AxisOfDegreeField, EachRowsFourFieldsAndNothingElse) {
  for (int id = 0; id < 1100; ++id)
    EXPECT_EQ(AxisOfDegreeField(id), id >= 1011 && id <= 1014 ? 0 : id >= 1016 && id <= 1019 ? 1 : -1) << id;
  EXPECT_EQ(std::make_pair(kAxisFieldIds[0][kMillisecondsSlot], kAxisFieldIds[1][kMillisecondsSlot]), std::make_pair(1004, 1020));
  EXPECT_EQ(std::make_pair(AxisRow(1), AxisRow(7)), std::make_pair(1, 0));
}
