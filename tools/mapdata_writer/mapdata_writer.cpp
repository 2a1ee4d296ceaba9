#include "tools/mapdata_writer/mapdata_writer.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/codepage.h"
#include "platform/utf.h"
#include "search/mesh_offsets.h"
#include "search/mesh_scan.h"
#include "tools/common/native_path.h"
#include "tools/common/parse_int32.h"
#include "tools/common/tsv_line.h"

namespace {

int32_t DecodeOffset(MeshLevel level, int32_t offset) { return static_cast<int32_t>(MeshOffsetMs(level, offset)); }

bool LongitudeOffsetReadable(int32_t offset) { return offset != 0 && (offset & 0xFF) != 0; }

bool LatitudeOffsetReadable(int32_t offset) {
  if (offset == 0) return false;
  const int low = offset & 0xFF;
  const int high = (offset >> 8) & 0xFF;
  return high != 10 && !IsNameCharacter(low, high);
}

// The readable offset within the limit whose decoding lies nearest to
// `delta`; among equally near ones the one nearest to the exact quotient.
int32_t ChooseOffset(MeshLevel level, int32_t delta, int32_t limit, bool (*readable)(int32_t)) {
  const double exact = static_cast<double>(delta) * MeshOffsetDivisor(level) / kMeshOffsetUnitMs;
  const int32_t ideal = static_cast<int32_t>(std::clamp<double>(exact, -limit, limit));
  // A newline high byte spans 256 offsets, so 300 on each side always holds
  // a readable one.
  int32_t best = 0;
  int64_t bestError = INT64_MAX;
  double bestSpread = 0;
  for (int32_t offset = std::max(-limit, ideal - 300); offset <= std::min(limit, ideal + 300); ++offset) {
    if (!readable(offset)) continue;
    const int64_t error = std::llabs(static_cast<int64_t>(DecodeOffset(level, offset)) - delta);
    const double spread = std::abs(offset - exact);
    if (error < bestError || (error == bestError && spread < bestSpread)) {
      best = offset;
      bestError = error;
      bestSpread = spread;
    }
  }
  return best;
}

bool NameFitsCodePage932(const std::u16string& name, const std::string& bytes) {
  // Trail bytes of Shift-JIS never equal '?', so every '?' byte stands for a
  // '?' of the name or for a character that could not be converted.
  return std::count(bytes.begin(), bytes.end(), '?') == std::count(name.begin(), name.end(), u'?');
}

std::string FolderPath(const std::u16string& devicePath) {
  return Utf16ToUtf8(NativeFilePath(devicePath).generic_u16string());
}

void AddPlaceAt(std::map<std::string, std::string>& files, MeshLevel level, const MapPlace& place,
                const std::string& nameBytes, bool fallbackFolder) {
  const MeshPlacement at = PlaceInMesh(level, place.lon, place.lat);
  const std::vector<std::u16string> candidates = MeshFileCandidates(level, u"", at.cell, at.quarter);
  const std::u16string& path = fallbackFolder && candidates.size() > 1 ? candidates[1] : candidates[0];
  const MeshOffsets offsets = ChooseMeshOffsets(level, place.lon - at.centre.lon, place.lat - at.centre.lat);
  AppendMeshRecord(files[FolderPath(path)], offsets, nameBytes);
}

}  // namespace

MeshOffsets ChooseMeshOffsets(MeshLevel level, int32_t dLon, int32_t dLat) {
  MeshOffsets offsets;
  const MeshOffsetLimits limits = MeshOffsetLimitsAt(level);
  offsets.lon = static_cast<int16_t>(ChooseOffset(level, dLon, limits.lon, LongitudeOffsetReadable));
  offsets.lat = static_cast<int16_t>(ChooseOffset(level, dLat, limits.lat, LatitudeOffsetReadable));
  return offsets;
}

MeshPlacement PlaceInMesh(MeshLevel level, int32_t lon, int32_t lat) {
  MeshPlacement at;
  at.cell = MeshCellAt(level, lon, lat);
  at.centre = MeshPoint{at.cell.centreLon, at.cell.centreLat};
  if (level == MeshLevel::SQuartered) {
    // Quarters split the cell at its centre, the centre itself going east and north.
    const bool east = lon >= at.cell.centreLon;
    const bool north = lat >= at.cell.centreLat;
    at.quarter = 1 + (east ? 1 : 0) + (north ? 2 : 0);
    at.centre = MeshQuarterCentre(at.cell, at.quarter);
  }
  return at;
}

void AppendMeshRecord(std::string& file, MeshOffsets offsets, const std::string& nameBytes) {
  const uint16_t lon = static_cast<uint16_t>(offsets.lon);
  const uint16_t lat = static_cast<uint16_t>(offsets.lat);
  file.append(3, '\0');
  file.push_back(static_cast<char>(lon & 0xFF));
  file.push_back(static_cast<char>(lon >> 8));
  file.push_back(static_cast<char>(lat & 0xFF));
  file.push_back(static_cast<char>(lat >> 8));
  file.append(nameBytes);
  file.push_back('\0');
}

std::map<std::string, std::string> BuildMapDataFiles(const std::vector<MapPlace>& places, const MapDataLayout& layout) {
  std::map<std::string, std::string> files;
  for (const MapPlace& place : places) {
    const std::string name = WideToCodePage932(place.name);
    AddPlaceAt(files, MeshLevel::L, place, name, false);
    AddPlaceAt(files, MeshLevel::M, place, name, false);
    AddPlaceAt(files, MeshLevel::R, place, name, layout.fallbackFolders);
    if (layout.sQuartered) AddPlaceAt(files, MeshLevel::SQuartered, place, name, layout.fallbackFolders);
    if (layout.sFine) AddPlaceAt(files, MeshLevel::SFine, place, name, false);
  }
  return files;
}

bool WriteMapDataFolder(const std::string& folder, const std::vector<MapPlace>& places, const MapDataLayout& layout,
                        std::string& error) {
  for (const MapPlace& place : places) {
    if (place.name.empty() || !NameFitsCodePage932(place.name, WideToCodePage932(place.name))) {
      error = "place name not representable in Shift-JIS: \"" + Utf16ToUtf8(place.name) + "\"";
      return false;
    }
  }
  namespace fs = std::filesystem;
  const fs::path root(Utf8ToUtf16(folder));
  for (const auto& [relative, bytes] : BuildMapDataFiles(places, layout)) {
    const fs::path path = root / fs::path(Utf8ToUtf16(relative));
    std::error_code ec;
    fs::create_directories(path.parent_path(), ec);
    if (ec) {
      error = "cannot create folder " + Utf16ToUtf8(path.parent_path().u16string()) + ": " + ec.message();
      return false;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
      error = "cannot write " + Utf16ToUtf8(path.u16string());
      return false;
    }
  }
  return true;
}

bool ReadPlacesTsv(const std::string& path, std::vector<MapPlace>& places, std::string& error) {
  std::ifstream in(std::filesystem::path(Utf8ToUtf16(path)), std::ios::binary);
  if (!in) {
    error = "cannot read " + path;
    return false;
  }
  std::string line;
  int number = 0;
  while (std::getline(in, line)) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (number == 1 && line.rfind("\xEF\xBB\xBF", 0) == 0) line.erase(0, 3);  // UTF-8 mark
    if (line.empty() || line[0] == '#') continue;
    const std::vector<std::string> fields = SplitTsvLine(line);
    MapPlace place;
    const bool numbers = fields.size() >= 3 && ParseInt32(fields[1], place.lon) && ParseInt32(fields[2], place.lat);
    if (!numbers) {
      if (number == 1) continue;  // header
      std::ostringstream message;
      message << path << ":" << number << ": expected NAME<TAB>LON_MS<TAB>LAT_MS";
      error = message.str();
      return false;
    }
    place.name = Utf8ToUtf16(fields[0]);
    places.push_back(place);
  }
  return true;
}
