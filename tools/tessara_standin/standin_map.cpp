#include "tools/tessara_standin/standin_map.h"

#include <cmath>
#include <cwchar>
#include <string>

#include "tools/common/tsv_line.h"

namespace {

constexpr int kPlacesResource = 1;
// From a town (a few km across) to the whole of Japan, doubling each step.
constexpr double kZoomMs[kZoomLevels] = {250, 500, 1000, 2000, 4000, 8000, 16000, 32000, 64000, 128000, 256000, 512000};
constexpr double kMetresPerSecond = 30.87;  // one second of arc of latitude, near enough

std::wstring Widen(const std::string& utf8) {
  int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
  std::wstring wide(n > 0 ? n : 0, L'\0');
  if (n > 0) MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), &wide[0], n);
  return wide;
}

std::vector<StandinPlace> LoadPlaces() {
  std::vector<StandinPlace> places;
  HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(kPlacesResource), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
  HGLOBAL loaded = found ? LoadResource(nullptr, found) : nullptr;
  const char* bytes = loaded ? static_cast<const char*>(LockResource(loaded)) : nullptr;
  if (!bytes) return places;
  std::string text(bytes, SizeofResource(nullptr, found));
  size_t start = text.find('\n');  // past the header line
  while (start != std::string::npos && start + 1 < text.size()) {
    size_t end = text.find('\n', start + 1);
    std::vector<std::string> fields = SplitTsvLine(text.substr(start + 1, end - start - 1));
    if (fields.size() >= 3)
      places.push_back({Widen(fields[0]), std::atol(fields[1].c_str()), std::atol(fields[2].c_str())});
    start = end;
  }
  return places;
}

// Screen position of a point for the scene.
struct Projection {
  double cx, cy, msPerPixel, lonFactor;
  long lon, lat;
  POINT At(long pLon, long pLat) const {
    return {LONG(std::lround(cx + (pLon - lon) * lonFactor / msPerPixel)),
            LONG(std::lround(cy - (pLat - lat) / msPerPixel))};
  }
};

bool Intersects(const RECT& a, const RECT& b) {
  RECT common;
  return IntersectRect(&common, &a, &b) != 0;
}

// Text with a white halo, so that names stay legible over lines.
void HaloText(HDC dc, int x, int y, const std::wstring& text, COLORREF ink) {
  SetTextColor(dc, RGB(255, 255, 255));
  for (int d = 0; d < 4; ++d)
    TextOutW(dc, x + (d == 0) - (d == 1), y + (d == 2) - (d == 3), text.c_str(), int(text.size()));
  SetTextColor(dc, ink);
  TextOutW(dc, x, y, text.c_str(), int(text.size()));
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
  MoveToEx(dc, x1, y1, nullptr);
  LineTo(dc, x2, y2);
}

// The regional grid's first-order (1 degree x 40 minutes) and, close in,
// second-order (7.5 x 5 minutes) lines: the cells the map data is kept in.
void DrawMeshLines(HDC dc, const RECT& area, const Projection& p) {
  struct Grid {
    long lonStep, latStep;
    COLORREF colour;
  } grids[] = {{450000, 300000, RGB(222, 218, 206)}, {3600000, 2400000, RGB(190, 184, 168)}};
  for (const Grid& g : grids) {
    if (g.lonStep * p.lonFactor / p.msPerPixel < 12) continue;  // too dense to help
    HPEN pen = CreatePen(PS_SOLID, 1, g.colour);
    HGDIOBJ old = SelectObject(dc, pen);
    long spanLon = long((area.right - area.left) * p.msPerPixel / p.lonFactor);
    long spanLat = long((area.bottom - area.top) * p.msPerPixel);
    for (long lon = (p.lon - spanLon) / g.lonStep * g.lonStep; lon <= p.lon + spanLon; lon += g.lonStep) {
      int x = p.At(lon, p.lat).x;
      Line(dc, x, area.top, x, area.bottom);
    }
    for (long lat = (p.lat - spanLat) / g.latStep * g.latStep; lat <= p.lat + spanLat; lat += g.latStep) {
      int y = p.At(p.lon, lat).y;
      Line(dc, area.left, y, area.right, y);
    }
    SelectObject(dc, old);
    DeleteObject(pen);
  }
}

void DrawScaleBar(HDC dc, int x, int y, const Projection& p, int s) {
  static const int kMetres[] = {100, 200, 500, 1000, 2000, 5000, 10000, 20000, 50000, 100000, 200000, 500000};
  double metresPerPixel = p.msPerPixel / 1000 * kMetresPerSecond;
  int metres = kMetres[0];
  for (int m : kMetres)
    if (m / metresPerPixel <= 70 * s) metres = m;
  int length = int(metres / metresPerPixel);
  HPEN pen = CreatePen(PS_SOLID, s, RGB(40, 40, 40));
  HGDIOBJ old = SelectObject(dc, pen);
  Line(dc, x, y - 3 * s, x, y);
  Line(dc, x, y, x + length, y);
  Line(dc, x + length, y, x + length, y - 3 * s);
  SelectObject(dc, old);
  DeleteObject(pen);
  wchar_t label[16];
  if (metres >= 1000)
    swprintf(label, 16, L"%d km", metres / 1000);
  else
    swprintf(label, 16, L"%d m", metres);
  HaloText(dc, x + length + 3 * s, y - 10 * s, label, RGB(40, 40, 40));
}

void DrawDestination(HDC dc, POINT at, int s) {
  HPEN pole = CreatePen(PS_SOLID, s, RGB(60, 60, 60));
  HGDIOBJ oldPen = SelectObject(dc, pole);
  Line(dc, at.x, at.y, at.x, at.y - 18 * s);
  SelectObject(dc, oldPen);
  DeleteObject(pole);
  HBRUSH red = CreateSolidBrush(RGB(220, 30, 40));
  HPEN edge = CreatePen(PS_SOLID, 1, RGB(150, 0, 0));
  HGDIOBJ oldBrush = SelectObject(dc, red);
  oldPen = SelectObject(dc, edge);
  POINT flag[] = {{at.x, at.y - 18 * s}, {at.x + 11 * s, at.y - 14 * s}, {at.x, at.y - 10 * s}};
  Polygon(dc, flag, 3);
  Ellipse(dc, at.x - 3 * s, at.y - 3 * s, at.x + 3 * s + 1, at.y + 3 * s + 1);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(red);
  DeleteObject(edge);
  HaloText(dc, at.x + 13 * s, at.y - 20 * s, L"目的地", RGB(190, 0, 0));
}

}  // namespace

const std::vector<StandinPlace>& StandinPlaces() {
  static const std::vector<StandinPlace> places = LoadPlaces();
  return places;
}

int ZoomForMapType(long mapType) {
  switch (mapType) {
    case 1:
      return 2;  // detail map
    case 5:
      return 3;  // small-area map
    case 8:
      return 5;  // mid-area map
    case 10:
      return 7;  // wide map
    default:
      return 4;  // a few towns around a station
  }
}

double MsPerPixel(int zoom, int scale) { return kZoomMs[zoom] / scale; }

void DrawMapScene(HDC dc, const RECT& client, const MapScene& scene) {
  const int s = scene.scale;
  HBRUSH land = CreateSolidBrush(RGB(244, 241, 232));
  FillRect(dc, &client, land);
  DeleteObject(land);
  const int barHeight = 14 * s;
  RECT title = {client.left, client.top, client.right, client.top + barHeight};
  RECT status = {client.left, client.bottom - barHeight, client.right, client.bottom};
  Projection p{(client.left + client.right) / 2.0,
               (client.top + client.bottom) / 2.0,
               MsPerPixel(scene.zoom, s),
               std::cos(scene.lat / 3600000.0 * 3.14159265358979 / 180),
               scene.lon,
               scene.lat};

  DrawMeshLines(dc, client, p);
  HFONT font = CreateFontW(-10 * s, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"MS UI Gothic");
  HGDIOBJ oldFont = SelectObject(dc, font);
  SetBkMode(dc, TRANSPARENT);

  // Places: every dot, and the names of the most populous first where they
  // do not cover a name already there or the panels.
  std::vector<RECT> taken = {scene.keepClear, title, status};
  HBRUSH dot = CreateSolidBrush(RGB(70, 70, 90));
  HGDIOBJ oldBrush = SelectObject(dc, dot);
  HGDIOBJ oldPen = SelectObject(dc, GetStockObject(NULL_PEN));
  for (const StandinPlace& place : StandinPlaces()) {
    POINT at = p.At(place.lon, place.lat);
    if (at.x < client.left - 2 * s || at.x > client.right + 2 * s || at.y < client.top || at.y > client.bottom)
      continue;
    Ellipse(dc, at.x - 2 * s, at.y - 2 * s, at.x + 2 * s + 1, at.y + 2 * s + 1);
    SIZE size;
    GetTextExtentPoint32W(dc, place.name.c_str(), int(place.name.size()), &size);
    RECT label = {at.x + 3 * s, at.y - size.cy / 2, at.x + 3 * s + size.cx, at.y + size.cy / 2};
    if (label.right > client.right) OffsetRect(&label, -(size.cx + 6 * s), 0);
    bool free = label.left >= client.left;
    for (const RECT& r : taken) free = free && !Intersects(label, r);
    if (!free) continue;
    taken.push_back(label);
    HaloText(dc, label.left, label.top, place.name, RGB(30, 30, 50));
  }
  SelectObject(dc, oldPen);
  SelectObject(dc, oldBrush);
  DeleteObject(dot);

  if (scene.hasDestination) DrawDestination(dc, p.At(scene.destLon, scene.destLat), s);

  // The cross marks the point that the readout shows.
  HPEN cross = CreatePen(PS_SOLID, s, RGB(200, 0, 0));
  oldPen = SelectObject(dc, cross);
  int cx = int(p.cx), cy = int(p.cy);
  Line(dc, cx - 10 * s, cy, cx - 3 * s, cy);
  Line(dc, cx + 3 * s, cy, cx + 10 * s, cy);
  Line(dc, cx, cy - 10 * s, cx, cy - 3 * s);
  Line(dc, cx, cy + 3 * s, cx, cy + 10 * s);
  SelectObject(dc, oldPen);
  DeleteObject(cross);

  DrawScaleBar(dc, client.left + 6 * s, status.top - 5 * s, p, s);

  HBRUSH bar = CreateSolidBrush(RGB(60, 80, 110));
  FillRect(dc, &title, bar);
  FillRect(dc, &status, bar);
  DeleteObject(bar);
  SetTextColor(dc, RGB(255, 255, 255));
  wchar_t line[80];
  swprintf(line, 80, L"Tessara stand-in  M_TYPE=%ld", scene.mapType);
  TextOutW(dc, title.left + 4 * s, title.top + s, line, int(wcslen(line)));
  const wchar_t hint[] = L"ドラッグで移動  PgUp/Dn 拡大縮小";
  TextOutW(dc, status.left + 4 * s, status.top + s, hint, int(wcslen(hint)));

  // The readout's panel: only its paper, the readout is drawn on it after.
  HBRUSH paper = CreateSolidBrush(scene.paper);
  HPEN frame = CreatePen(PS_SOLID, 1, RGB(120, 120, 120));
  oldBrush = SelectObject(dc, paper);
  oldPen = SelectObject(dc, frame);
  Rectangle(dc, scene.keepClear.left, scene.keepClear.top, scene.keepClear.right, scene.keepClear.bottom);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(paper);
  DeleteObject(frame);
  SelectObject(dc, oldFont);
  DeleteObject(font);
}
