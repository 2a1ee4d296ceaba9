// Writes map data folders that the keyword scan reads: for every level one
// mesh file per cell that holds a place, each place as one record
//
//   three 0 bytes, longitude offset, latitude offset (signed 16-bit
//   little-endian, in the level's unit, from the centre of the cell or, in
//   the quartered S layout, of the quarter), the Shift-JIS name, a 0 byte.
//
// Used by the tests to build their folders and by the demo to build sample
// data from the gazetteer.
#pragma once
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "search/mesh.h"

struct MapPlace {
  std::u16string name;
  int32_t lon = 0;  // ms, Tokyo datum
  int32_t lat = 0;
};

struct MapDataLayout {
  bool sQuartered = true;  // levelS\<6 digits><quarter>.tgx
  bool sFine = true;       // levelS\<8 characters>.tgx; both layouts can share levelS
  // Write the R and quartered S files into "_levelR" and "_levelS" instead of
  // "levelR" and "levelS", the folders the scan falls back to.
  bool fallbackFolders = false;
};

struct MeshOffsets {
  int16_t lon = 0;
  int16_t lat = 0;
};

// The offsets stored for a place `dLon`, `dLat` ms east and north of the
// centre it is measured from.  They are chosen so that the scan's decoding
// (offset × unit, truncated toward zero) comes as close to the place as it
// can, subject to what the scan needs to read the record back:
//   - neither offset is 0 and both lie in the level's valid range (a place
//     outside the range is clamped to its edge);
//   - the latitude offset's high byte is no newline and does not form a name
//     character with its low byte, so the walk back from the name stops right
//     before the name;
//   - the longitude offset's low byte is not 0, so the three 0 bytes before
//     the record are the first such run found walking back from the name.
// Where the nearest offset breaks one of these, the nearest one that does
// not is taken: up to 128 units off for latitude offsets whose high byte
// would be a newline (10 × 256 to 10 × 256 + 255 units north), up to 12 units
// for the name-character case, 1 unit otherwise.
MeshOffsets ChooseMeshOffsets(MeshLevel level, int32_t dLon, int32_t dLat);

// The centre a place is measured from at this level (the quarter's centre
// for the quartered S layout) and the quarter (1..4, only for SQuartered; 1
// otherwise).
struct MeshPlacement {
  MeshCell cell;
  int quarter = 1;
  MeshPoint centre{0, 0};
};
MeshPlacement PlaceInMesh(MeshLevel level, int32_t lon, int32_t lat);

// Appends one record to `file`.
void AppendMeshRecord(std::string& file, MeshOffsets offsets, const std::string& nameBytes);

// Every file of a map data folder holding `places`, keyed by its path within
// the folder with '/' between folder and file ("levelL/5339.tgx").
std::map<std::string, std::string> BuildMapDataFiles(const std::vector<MapPlace>& places, const MapDataLayout& layout);

// Writes the files of BuildMapDataFiles under `folder` (UTF-8 path), making
// the level folders as needed.  A name that Shift-JIS cannot hold, or an
// empty name, fails the whole write before anything is written.
bool WriteMapDataFolder(const std::string& folder, const std::vector<MapPlace>& places, const MapDataLayout& layout,
                        std::string& error);

// Reads places from a tab-separated UTF-8 file: name, Tokyo-datum longitude
// and latitude in ms, further columns ignored.  A first line whose second
// column is not a number is a header; empty lines and lines starting with
// '#' are skipped.
bool ReadPlacesTsv(const std::string& path, std::vector<MapPlace>& places, std::string& error);
