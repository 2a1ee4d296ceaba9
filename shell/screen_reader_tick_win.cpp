#include "maplink/screen_reader.h"
#include "shell/main_window.h"

void OnScreenReaderTick() { ReadScreenPoint(); }
