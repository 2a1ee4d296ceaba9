// A stand-in for the map application, for tests and demonstrations: a
// borderless window of the map application's class at the screen's origin
// that takes the same start switches and destination values and shows its
// point as a map (the sample gazetteer's places, see standin_map.h) with the
// coordinate readout where the real application prints it.  A mouse drag
// moves the map; the arrow keys move the point by one second of arc, with
// Shift by a quarter of the screen; Page Up/Page Down and the wheel zoom.
// A destination (TLATV8/TLONV8) is marked on the map.  It ends on message 2.
// Each start and end is appended to tessara_log.txt beside the executable
// (UTF-8, one line each: "start<TAB>command line<TAB>TLATV8=n<TAB>TLONV8=n"
// with "none" for a missing value, "end" when message 2 arrives, "exit" as
// the process ends).
//
// Switches of its own: /ALT draws the scale-2 readout in the alternate
// layout (also the DWORD value "StandinLayout" = 1 in the settings key);
// /NOLAT leaves the latitude readout out.  Settings-key DWORD values
// "StandinExitDelayMs" (linger after message 2) and "StandinCrashOnExit"
// (end abruptly instead, as a crash would) serve the closing tests.
#include <windows.h>
#include <windowsx.h>

#include <algorithm>

#include <cmath>
#include <cstdio>
#include <cwchar>
#include <string>

#include "tools/tessara_standin/standin_glyphs.h"
#include "tools/tessara_standin/standin_map.h"

namespace {

const wchar_t kWindowClass[] = L"Afx_QZV_MAINWND_";
const wchar_t kSettingsKey[] = L"Software\\Varnelle\\Tessara Mobile\\QZV";

struct StandinState {
  int scale = 1;
  bool alternate = false;
  bool clearType = false;
  bool hideLatitude = false;
  long lon = 503171492, lat = 128439921;  // Tokyo station
  long mapType = 0;
  int zoom = 4;
  DWORD destLat = 0, destLon = 0;
  bool hasDestination = false;
  // A drag in progress: where it started, on the screen and on the map.
  bool dragging = false;
  POINT dragFrom{};
  long dragLon = 0, dragLat = 0;
};
StandinState g_state;

std::wstring FolderOfExe() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  size_t slash = folder.find_last_of(L'\\');
  return slash == std::wstring::npos ? L"." : folder.substr(0, slash);
}

void AppendLog(const std::wstring& line) {
  std::wstring path = FolderOfExe() + L"\\tessara_log.txt";
  int n = WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, nullptr, 0, nullptr, nullptr);
  std::string utf8(n > 0 ? n - 1 : 0, '\0');
  if (n > 1) WideCharToMultiByte(CP_UTF8, 0, line.c_str(), -1, &utf8[0], n, nullptr, nullptr);
  utf8 += "\n";
  // Copies side by side end at the same moment, and Wine's append is a write
  // at the size it last saw: one line would overwrite the other's.
  HANDLE turn = CreateMutexW(nullptr, FALSE, L"TessaraStandinLog");
  WaitForSingleObject(turn, 5000);
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, utf8.data(), DWORD(utf8.size()), &written, nullptr);
    CloseHandle(file);
  }
  ReleaseMutex(turn);
  CloseHandle(turn);
}

bool ReadSetting(const wchar_t* name, DWORD* value) {
  HKEY key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kSettingsKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
  DWORD size = sizeof *value, type = 0;
  bool ok = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(value), &size) == ERROR_SUCCESS &&
            type == REG_DWORD;
  RegCloseKey(key);
  return ok;
}

bool SwitchValue(const wchar_t* commandLine, const wchar_t* name, long* value) {
  const wchar_t* at = wcsstr(commandLine, name);
  if (!at) return false;
  *value = wcstol(at + wcslen(name), nullptr, 10);
  return true;
}

// Degrees, minutes, seconds and hundredths of a value in ms, as the readout shows it.
std::u16string ReadoutText(long ms) {
  if (ms < 0) ms = -ms;
  long degrees = ms / 3600000, minutes = ms / 60000 % 60, seconds = ms / 1000 % 60, hundredths = ms % 1000 / 10;
  char text[40];
  snprintf(text, sizeof text, "%ld*%ld'%ld.%02ld", degrees, minutes, seconds, hundredths);
  std::u16string out;
  for (const char* p = text; *p; ++p) out += *p == '*' ? u'\u00B0' : *p == '\'' ? u'\u2032' : char16_t(*p);
  return out;
}

// A 5x7 picture of each character for the pixels the reader does not look
// at, so the readout looks like text to a person.
const char* BaseShape(char16_t c) {
  switch (c) {
    case u'0':
      return ".###.#...##...##...##...##...#.###.";
    case u'1':
      return "..#...##....#....#....#....#...###.";
    case u'2':
      return ".###.#...#....#...#...#...#...#####";
    case u'3':
      return "####.....#....#.###.....#....#####.";
    case u'4':
      return "...#...##..#.#.#..#.#####...#....#.";
    case u'5':
      return "######....####.....#....##...#.###.";
    case u'6':
      return "..##..#...#....####.#...##...#.###.";
    case u'7':
      return "#####....#...#...#...#....#....#...";
    case u'8':
      return ".###.#...##...#.###.#...##...#.###.";
    case u'9':
      return ".###.#...##...#.####....#...#..##..";
    case u'\u00B0':
      return ".##..#..#.#..#..##..................";
    case u'\u2032':
      return "..#....#...#.......................";
    case u'.':
      return "..............................##...";
  }
  return "";
}

int GlyphIndex(char16_t c) {
  static const char16_t kOrder[] = u"1234567890\u00B0\u2032.";
  for (int i = 0; i < 13; ++i) {
    if (kOrder[i] == c) return i;
  }
  return -1;
}

struct Colours {
  COLORREF paper, ink;
};
Colours ReadoutColours() {
  if (g_state.clearType) return {RGB(255, 248, 220), RGB(30, 50, 150)};
  return {RGB(255, 255, 255), RGB(0, 0, 0)};
}

// Draws one number with its first cell at (x0, y0).
void DrawReadout(HDC dc, int x0, int y0, const std::u16string& text) {
  int layout = g_state.scale == 1 ? 0 : (g_state.alternate ? 2 : 1);
  bool coloured = g_state.clearType;
  Colours colours = ReadoutColours();
  int rows = layout == 0 ? 7 : layout == 1 ? 9 : 12;
  // The sampled columns: (column, first row, row count) of each.
  int col1 = 0, col2 = 1, top2 = 0, perColumn = rows;
  if (layout == 0 && coloured) col1 = 1, col2 = 2;
  if (layout == 2) col1 = 1, col2 = 2, top2 = 6, perColumn = 6;
  int x = x0;
  for (char16_t c : text) {
    int index = GlyphIndex(c);
    if (index < 0) break;
    const StandinGlyph& glyph = kStandinGlyphs[layout][index];
    // The picture, stretched over the cell less its gap column.
    int left = col1, width = glyph.advance - 1 - left;
    const char* shape = BaseShape(c);
    for (int row = 0; row < rows; ++row) {
      for (int col = 0; col < width; ++col) {
        int sx = col * 5 / width, sy = row * 7 / rows;
        bool inked = shape[sy * 5 + sx] == '#';
        SetPixelV(dc, x + left + col, y0 + row, inked ? colours.ink : colours.paper);
      }
    }
    // The two sampled columns exactly as the layout's glyph gives them.
    const char* pattern = coloured ? glyph.background : glyph.black;
    int n = int(strlen(pattern));
    for (int i = 0; i < n; ++i) {
      bool first = i < perColumn;
      int px = x + (first ? col1 : col2), py = y0 + (first ? i : top2 + i - perColumn);
      SetPixelV(dc, px, py, pattern[i] == '1' ? colours.ink : colours.paper);
    }
    x += glyph.advance;
  }
}

// Where the readout lies, as the screen reader looks for it.
struct ReadoutPlace {
  int lonX, lonY, latX, latY;
};
ReadoutPlace ReadoutPosition() {
  int s = g_state.scale;
  int f = (s == 2 && g_state.alternate) ? 1 : 0;
  return {s == 1 ? 35 : 68, s == 1 ? 30 : 60 + f, s == 1 ? 38 : 72 + f, s == 1 ? 42 : 76 + 3 * f};
}

// The readout's panel: both numbers at their longest (twelve of the widest
// cells), the row after them that the reader also samples and the reference
// pixel (at the first number's cell, or (62, 60) at scale 2), with a margin.
RECT ReadoutPanel() {
  int layout = g_state.scale == 1 ? 0 : (g_state.alternate ? 2 : 1);
  int widest = 0;
  for (const StandinGlyph& g : kStandinGlyphs[layout]) widest = g.advance > widest ? g.advance : widest;
  int rows = layout == 0 ? 7 : layout == 1 ? 9 : 12;
  int margin = 3 * g_state.scale;
  ReadoutPlace r = ReadoutPosition();
  int left = g_state.scale == 1 ? r.lonX : 62, top = g_state.scale == 1 ? r.lonY : 60;
  return {left - margin, top - margin, r.latX + 13 * widest + margin, r.latY + rows + margin};
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC windowDc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  // Drawn off screen and shown at once, so that the readout is never seen
  // half drawn.
  HDC dc = CreateCompatibleDC(windowDc);
  HBITMAP bitmap = CreateCompatibleBitmap(windowDc, client.right, client.bottom);
  HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
  MapScene scene;
  scene.lon = g_state.lon;
  scene.lat = g_state.lat;
  scene.zoom = g_state.zoom;
  scene.scale = g_state.scale;
  scene.mapType = g_state.mapType;
  scene.hasDestination = g_state.hasDestination;
  scene.destLon = LONG(g_state.destLon);
  scene.destLat = LONG(g_state.destLat);
  scene.keepClear = ReadoutPanel();
  scene.paper = ReadoutColours().paper;
  DrawMapScene(dc, client, scene);
  ReadoutPlace r = ReadoutPosition();
  DrawReadout(dc, r.lonX, r.lonY, ReadoutText(g_state.lon));
  if (!g_state.hideLatitude) DrawReadout(dc, r.latX, r.latY, ReadoutText(g_state.lat));
  BitBlt(windowDc, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
  SelectObject(dc, oldBitmap);
  DeleteObject(bitmap);
  DeleteDC(dc);
  EndPaint(window, &ps);
}

// Moves the point, kept within the region of the map (east Asia).
void MoveTo(HWND window, long lon, long lat) {
  auto clamp = [](long v, long low, long high) { return v < low ? low : v > high ? high : v; };
  g_state.lon = clamp(lon, 100L * 3600000, 170L * 3600000);
  g_state.lat = clamp(lat, 10L * 3600000, 60L * 3600000);
  InvalidateRect(window, nullptr, FALSE);
}

void Zoom(HWND window, int steps) {
  int zoom = g_state.zoom + steps;
  g_state.zoom = zoom < 0 ? 0 : zoom >= kZoomLevels ? kZoomLevels - 1 : zoom;
  InvalidateRect(window, nullptr, FALSE);
}

// Ms of longitude per pixel at the point's latitude.
double LonMsPerPixel() {
  return MsPerPixel(g_state.zoom, g_state.scale) / std::cos(g_state.lat / 3600000.0 * 3.14159265358979 / 180);
}

void EndOnRequest() {
  AppendLog(L"end");
  DWORD delay = 0, crash = 0;
  if (ReadSetting(L"StandinCrashOnExit", &crash) && crash) {
    // Gone without tidying up, windows included, as after a crash.
    TerminateProcess(GetCurrentProcess(), 3);
  }
  if (ReadSetting(L"StandinExitDelayMs", &delay) && delay > 0 && delay < 60000) Sleep(delay);
  PostQuitMessage(0);
}

LRESULT CALLBACK StandinProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_KEYDOWN: {
      // One second of arc; with Shift a quarter of the screen.
      bool wide = GetKeyState(VK_SHIFT) < 0;
      RECT client;
      GetClientRect(window, &client);
      double quarter = client.right / 4.0 * MsPerPixel(g_state.zoom, g_state.scale);
      long latStep = wide ? long(quarter) : 1000, lonStep = wide ? long(client.right / 4.0 * LonMsPerPixel()) : 1000;
      if (wParam == VK_LEFT)
        MoveTo(window, g_state.lon - lonStep, g_state.lat);
      else if (wParam == VK_RIGHT)
        MoveTo(window, g_state.lon + lonStep, g_state.lat);
      else if (wParam == VK_UP)
        MoveTo(window, g_state.lon, g_state.lat + latStep);
      else if (wParam == VK_DOWN)
        MoveTo(window, g_state.lon, g_state.lat - latStep);
      else if (wParam == VK_PRIOR)
        Zoom(window, -1);
      else if (wParam == VK_NEXT)
        Zoom(window, +1);
      else
        break;
      return 0;
    }
    case WM_MOUSEWHEEL:
      Zoom(window, GET_WHEEL_DELTA_WPARAM(wParam) > 0 ? -1 : +1);
      return 0;
    case WM_LBUTTONDOWN:
      g_state.dragging = true;
      g_state.dragFrom = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
      g_state.dragLon = g_state.lon;
      g_state.dragLat = g_state.lat;
      SetCapture(window);
      return 0;
    case WM_MOUSEMOVE:
      if (g_state.dragging && (wParam & MK_LBUTTON)) {
        // The map follows the pointer: the point moves the other way.
        int dx = GET_X_LPARAM(lParam) - g_state.dragFrom.x, dy = GET_Y_LPARAM(lParam) - g_state.dragFrom.y;
        MoveTo(window, g_state.dragLon - long(dx * LonMsPerPixel()),
               g_state.dragLat + long(dy * MsPerPixel(g_state.zoom, g_state.scale)));
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      g_state.dragging = false;
      if (message == WM_LBUTTONUP) ReleaseCapture();
      return 0;
    case WM_DESTROY:
      EndOnRequest();
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const wchar_t* commandLine = GetCommandLineW();
  long lon = 0, lat = 0, type = 0;
  if (SwitchValue(commandLine, L"/M_LON=", &lon) && SwitchValue(commandLine, L"/M_LAT=", &lat)) {
    g_state.lon = lon;
    g_state.lat = lat;
  }
  if (SwitchValue(commandLine, L"/M_TYPE=", &type)) g_state.mapType = type;
  g_state.zoom = ZoomForMapType(g_state.mapType);
  bool haveLat = ReadSetting(L"TLATV8", &g_state.destLat);
  bool haveLon = ReadSetting(L"TLONV8", &g_state.destLon);
  g_state.hasDestination = haveLat && haveLon && (g_state.destLat != 0 || g_state.destLon != 0);
  DWORD layout = 0;
  g_state.alternate =
      wcsstr(commandLine, L"/ALT") != nullptr || (ReadSetting(L"StandinLayout", &layout) && layout == 1);
  g_state.hideLatitude = wcsstr(commandLine, L"/NOLAT") != nullptr;
  HKEY clearType;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"System\\GDI\\ClearType", 0, KEY_READ, &clearType) == ERROR_SUCCESS) {
    g_state.clearType = true;
    RegCloseKey(clearType);
  }
  int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
  g_state.scale = width < 480 ? 1 : 2;
  // A device screen is 240 x 320 per display scale; on a larger screen (the
  // demo's) the map keeps that size, leaving room beside it.  Where that
  // room is about a device's width, the map gives up the few columns that a
  // framed window beside it needs to get a whole device's width inside.
  const int device = 240 * g_state.scale;
  RECT framed = {0, 0, device, 0};
  AdjustWindowRectEx(&framed, WS_CAPTION, FALSE, 0);  // what an overlapped window gets
  if (width > device)
    width = width - device < device / 2 ? device : std::min(device, width - int(framed.right - framed.left));
  if (height > 320 * g_state.scale) height = 320 * g_state.scale;

  wchar_t logLine[1200];
  wchar_t latText[16] = L"none", lonText[16] = L"none";
  if (haveLat) swprintf(latText, 16, L"%ld", long(LONG(g_state.destLat)));
  if (haveLon) swprintf(lonText, 16, L"%ld", long(LONG(g_state.destLon)));
  swprintf(logLine, 1200, L"start\t%ls\tTLATV8=%ls\tTLONV8=%ls", commandLine, latText, lonText);
  AppendLog(logLine);

  WNDCLASSW wc{};
  wc.lpfnWndProc = StandinProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  wc.lpszClassName = kWindowClass;
  if (!RegisterClassW(&wc)) return 1;
  HWND window = CreateWindowExW(0, kWindowClass, L"Tessara Mobile", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr,
                                nullptr, instance, nullptr);
  if (!window) return 1;
  SetForegroundWindow(window);
  UpdateWindow(window);
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  // The window goes with the process, right after this line.
  AppendLog(L"exit");
  return 0;
}
