// The map data file that gives the longest result list a mesh file can: every record as short as a record for a
// two-character term can be, each at a place of its own, and stored so that each line the search adds sorts in before
// every line already listed, the most work for a sorted list.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

extern const wchar_t kFullListTerm[];  // ああ
// Where the file goes on the device: the map folder of the data the registry names as kFullListData.
extern const wchar_t kFullListData[], kFullListFile[];

struct FullList {
  std::string file;                   // the mesh file's bytes
  std::vector<std::u16string> lines;  // the list the search gives, in its order
};
// `records` places (at most the 174762 that fit in 2 MiB) around the centre of cell 5339, lines measured from the
// point (lon, lat).
FullList BuildFullList(int32_t lon, int32_t lat, std::size_t records = 174762);
