#include "shell/map_data_search.h"

#include "search/mesh_scan.h"

int SearchMapDataFolders(MeshLevel level, const std::u16string& term, const std::u16string& mapDataFolder,
                         const std::u16string& cardMapFolder) {
  int count = SearchMeshLevel(level, term, mapDataFolder);
  if (count == 0 && !cardMapFolder.empty()) count = SearchMeshLevel(level, term, cardMapFolder);
  return count;
}
