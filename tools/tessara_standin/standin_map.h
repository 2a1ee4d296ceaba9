// The map behind the stand-in's readout: the sample gazetteer's places (built
// into the executable, the same table the demo's map data is written from)
// around the point, mesh lines, a scale bar, the cross at the centre and the
// destination, in a simple equirectangular projection about the point.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct StandinPlace {
  std::wstring name;
  long lon = 0, lat = 0;  // ms, Tokyo datum
};

// The places of the built-in gazetteer, most populous first.
const std::vector<StandinPlace>& StandinPlaces();

constexpr int kZoomLevels = 12;
// The zoom level a start with this M_TYPE value shows.
int ZoomForMapType(long mapType);
// Ms of arc (of latitude; of longitude times the cosine of the latitude) per
// pixel at a zoom level and display scale.
double MsPerPixel(int zoom, int scale);

struct MapScene {
  long lon = 0, lat = 0;  // the point, at the centre of the map
  int zoom = 4;
  int scale = 1;
  long mapType = 0;
  bool hasDestination = false;
  long destLon = 0, destLat = 0;
  RECT keepClear{};  // the readout panel: nothing of the map is drawn there
  COLORREF paper = RGB(255, 255, 255);
};

// Draws everything but the readout itself into `dc` over `client`, and fills
// the readout panel with the readout's paper colour.
void DrawMapScene(HDC dc, const RECT& client, const MapScene& scene);
