// Measures one screen reader tick two ways against the map application
// stand-in in front: the tick as the program runs it (one copy of the
// readout region, samples read from memory) and the same recognition with
// one pixel read from the device context per sample.  Prints the mean time
// per tick of each and their ratio.
//   scripts/wine-run build-win/tools/screen_tick_bench/screen_tick_bench.exe STANDIN.exe [TICKS] [/ALT]
#include <windows.h>

#include <cstdio>
#include <string>

#include "core/environment.h"
#include "core/reference_point.h"
#include "maplink/screen_reader.h"
#include "shell/device_probe.h"
#include "shell/discovery.h"

namespace {

uint32_t ReadDevicePixel(void* context, int x, int y) {
  COLORREF c = GetPixel(static_cast<HDC>(context), x, y);
  return c == CLR_INVALID ? kPixelUnavailable : static_cast<uint32_t>(c);
}

// The same tick with one GetPixel per sample (two with the background test).
bool PixelByPixelTick() {
  g_screenTick.clearType = g_environment.clearType;
  g_screenTick.displayScale = g_environment.displayScale;
  HWND window = GetActiveWindow();
  HDC dc = GetDC(window);
  g_screenTick.readPixel = ReadDevicePixel;
  g_screenTick.context = dc;
  int32_t lon = 0, lat = 0;
  bool read = ReadReferencePoint(&lon, &lat);
  g_screenTick = ScreenTick{};
  ReleaseDC(window, dc);
  return read;
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER frequency) {
  return double(b.QuadPart - a.QuadPart) / double(frequency.QuadPart);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: screen_tick_bench STANDIN.exe [TICKS] [/ALT]\n");
    return 2;
  }
  int ticks = argc > 2 ? _wtoi(argv[2]) : 200;
  std::wstring extra = argc > 3 ? argv[3] : L"";
  // The program's own two findings the tick depends on.
  g_environment.displayScale = DisplayScaleForWidth(PrimaryScreenWidth());
  g_environment.clearType = ClearTypeKeyExists();
  std::wstring commandLine =
      L"\"" + std::wstring(argv[1]) + L"\" /M_LON=503112340 /M_LAT=128412340 /M_ANGLE=0 /M_TYPE=1 " + extra;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(argv[1], &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    std::fprintf(stderr, "cannot start the stand-in\n");
    return 1;
  }
  HWND map = nullptr;
  for (int i = 0; i < 200 && !map; ++i) {
    Sleep(50);
    map = FindWindowW(L"Afx_QZV_MAINWND_", nullptr);
  }
  Sleep(500);  // let it paint
  // Warm up, and make sure both ways read the point (at scale 2 with /ALT
  // the first tick flips to the alternate layout).
  int32_t lon = 0, lat = 0;
  for (int i = 0; i < 3; ++i) ReadScreenPoint(g_environment.clearType, g_environment.displayScale, &lon, &lat);
  bool copyReads = g_referenceLongitude == 503112340 && g_referenceLatitude == 128412340;
  g_referenceLongitude = g_referenceLatitude = 0;
  bool pixelReads = PixelByPixelTick();
  LARGE_INTEGER frequency, t0, t1, t2;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&t0);
  for (int i = 0; i < ticks; ++i) ReadScreenPoint(g_environment.clearType, g_environment.displayScale, &lon, &lat);
  QueryPerformanceCounter(&t1);
  for (int i = 0; i < ticks; ++i) PixelByPixelTick();
  QueryPerformanceCounter(&t2);
  double copyMs = Seconds(t0, t1, frequency) * 1000.0 / ticks;
  double pixelMs = Seconds(t1, t2, frequency) * 1000.0 / ticks;
  std::printf("scale %d%s%s, %d ticks each\n", g_environment.displayScale, g_environment.clearType ? " ClearType" : "",
              extra.empty() ? "" : " alternate", ticks);
  std::printf("region copy:     %8.3f ms per tick (point read: %s)\n", copyMs, copyReads ? "yes" : "NO");
  std::printf("pixel by pixel:  %8.3f ms per tick (point read: %s)\n", pixelMs, pixelReads ? "yes" : "NO");
  std::printf("ratio:           %8.1f\n", pixelMs / copyMs);
  if (map) PostMessageW(map, WM_DESTROY, 0, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hProcess);
  CloseHandle(process.hThread);
  return copyReads && pixelReads ? 0 : 1;
}
