// What every search's result list must keep, whatever it was given.
#pragma once
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/result_line.h"
#include "platform/result_list.h"

// The list's lines.  Aborts unless the count the search returned is the
// number of lines listed, and unless every line whose texts hold no
// separator and no '[' of their own (six pieces, one '[' at most) reads
// back a longitude and latitude.
inline std::vector<std::u16string> CheckedLines(int count) {
  std::vector<std::u16string> lines = ResultListLines();
  if (count != static_cast<int>(lines.size())) std::abort();
  for (const std::u16string& line : lines) {
    const std::vector<std::u16string> pieces = SplitResultLine(line);
    const bool plain = pieces.size() == 6 && std::count(line.begin(), line.end(), u'[') <= 1;
    if (plain && !FindLineCoordinates(pieces).found) std::abort();
  }
  return lines;
}
