// The search modes of the mode combo box and what each one means.
#pragma once
#include <string>

#include "resources/resource_ids.h"
#include "search/mesh.h"

constexpr int kModeLevelL = 0;  // 広域図検索
constexpr int kModeLevelM = 1;  // 中域図検索
constexpr int kModeLevelR = 2;  // 小域図検索
constexpr int kModeLevelS = 3;  // 詳細図検索
constexpr int kModePhone = 4;   // 電話番号検索(ネット接続)
constexpr int kModeQLCode = 5;  // QLCode検索

bool IsMapDataMode(int mode);
// The selected mode as searched: an index outside 0 to 5 (none selected)
// searches level L.
int SearchModeOrDefault(int selected);
// The control the term is typed into: the category combo box in the QLCode
// mode, the search edit in all others.
int TermControlForMode(int mode);
// The level searched in a map data mode; level S by map application version.
MeshLevel MeshLevelForMode(int mode, int mapApplicationVersion);
// The M_TYPE switch the map application is started with for a result.
int MapTypeForMode(int mode);
// "\<card>\Varnelle\Map\", the second folder the map data searches try.
std::u16string CardMapFolder(const std::u16string& storageCardName);
