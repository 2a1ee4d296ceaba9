// The keyword scan of the map application's mesh files at one level.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "search/mesh.h"

constexpr std::size_t kMeshFileMaxBytes = 2097152;  // slots in the file buffer
constexpr std::size_t kMeshTermMaxBytes = 31;       // in Shift-JIS
constexpr std::size_t kMeshNameMaxBytes = 101;

bool IsNameCharacter(int lead, int trail);

// True when the term fits the scan (at most 31 bytes in Shift-JIS).  A term
// that does not fit is refused: SearchMeshLevel then only clears the list
// and returns 0, and the search command tells the user.
bool MeshSearchTermFits(const std::u16string& term);

// Clears the result list, scans the level's files around the reference point
// in `folder` (ending with '\') and adds one result line per occurrence.
// Returns the number of lines added.
int SearchMeshLevel(MeshLevel level, const std::u16string& term, const std::u16string& folder);

// Scans `size` bytes of one file of `cell` (a quarter centre already applied
// for SQuartered: pass the centre to use) and adds result lines.  Exposed for
// tests and fuzzing.  Returns the number of lines added.
int ScanMeshBuffer(MeshLevel level, const unsigned char* bytes, std::size_t size, const std::string& termBytes,
                   const std::u16string& cellCode, int32_t centreLon, int32_t centreLat);
