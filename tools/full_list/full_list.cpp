#include "tools/full_list/full_list.h"

#include <algorithm>
#include <utility>

#include "core/reference_point.h"
#include "core/result_line.h"
#include "platform/codepage.h"
#include "platform/result_list.h"
#include "search/coordinates.h"

const wchar_t kFullListTerm[] = L"ああ";
const wchar_t kFullListData[] = L"\\Data\\Tessara\\tessara.dat";
const wchar_t kFullListFile[] = L"C:\\Data\\Tessara\\Map\\levelL\\5339.tgx";  // the cell of the point read

FullList BuildFullList(int32_t lon, int32_t lat, std::size_t records) {
  const int32_t centreLon = 502200000, centreLat = 128400000;  // of cell 5339, 125 ms per offset unit
  const std::string name = WideToCodePage932(u"ああ");
  const int32_t savedLon = g_referenceLongitude, savedLat = g_referenceLatitude;
  g_referenceLongitude = lon, g_referenceLatitude = lat;
  // Offsets 1..420 east and north: never 0, and never a low byte of 0 that would join the run of 0 bytes before the
  // record, nor a high byte the walk back to the name could take for part of it.
  std::vector<std::pair<std::u16string, std::pair<int16_t, int16_t>>> places;
  for (int16_t dLon = 1; dLon <= 420 && places.size() < records; ++dLon) {
    if ((dLon & 0xFF) == 0) continue;
    for (int16_t dLat = 1; dLat <= 420 && places.size() < records; ++dLat) {
      const int32_t placeLon = centreLon + dLon * 125, placeLat = centreLat + dLat * 125;
      places.push_back(
          {MeshResultLine(DistanceFromReference(placeLon, placeLat), u"ああ", u"5339.tgx", placeLon, placeLat, false),
           {dLon, dLat}});
    }
  }
  g_referenceLongitude = savedLon, g_referenceLatitude = savedLat;
  std::stable_sort(places.begin(), places.end(),
                   [](const auto& a, const auto& b) { return ResultLineBefore(a.first, b.first); });
  FullList list;
  for (auto place = places.rbegin(); place != places.rend(); ++place) {
    const auto [dLon, dLat] = place->second;
    const char offsets[] = {static_cast<char>(dLon & 0xFF), static_cast<char>(dLon >> 8),
                            static_cast<char>(dLat & 0xFF), static_cast<char>(dLat >> 8)};
    list.file += std::string(3, '\0') + std::string(offsets, 4) + name + '\0';
  }
  for (auto& place : places) list.lines.push_back(std::move(place.first));
  return list;
}
