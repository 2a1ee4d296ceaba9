// The keyword search in the map data, over its two folders: the map data
// folder first and, when that gives nothing, the storage card's map folder.
// The main window and the command-line tool both search through here.
#pragma once
#include <string>

#include "search/mesh.h"

// Returns the number of result lines; an empty `cardMapFolder` is not
// searched.
int SearchMapDataFolders(MeshLevel level, const std::u16string& term, const std::u16string& mapDataFolder,
                         const std::u16string& cardMapFolder);
