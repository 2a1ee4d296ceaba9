#include "core/environment.h"
#include "maplink/screen_reader.h"
#include "platform/utf.h"
#include "shell/main_window_win.h"
#include "shell/point_label.h"

void OnScreenReaderTick() {
  int32_t longitude = 0, latitude = 0;
  if (ReadScreenPoint(g_environment.clearType, g_environment.displayScale, &longitude, &latitude))
    SetWindowTextW(g_pointLabel, AsWide(PointLabelText(longitude, latitude)));
}
