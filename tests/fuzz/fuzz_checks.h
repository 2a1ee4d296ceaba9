// What every search's result list must keep, whatever it was given.
#pragma once
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/result_line.h"
#include "platform/result_list.h"

// The list's lines; aborts unless the search's count is the number listed, each line starts "%4.fkm," with at
// most `maxKm`, and each whose texts hold no separator or '[' of their own (six pieces, one '[') reads back its
// position.
inline std::vector<std::u16string> CheckedLines(int count, double maxKm = 1e9) {
  std::vector<std::u16string> lines = ResultListLines();
  if (count != static_cast<int>(lines.size())) std::abort();
  for (const std::u16string& line : lines) {
    const std::vector<std::u16string> pieces = SplitResultLine(line);
    const std::size_t km = line.find(u"km,");
    const bool plain = pieces.size() == 6 && std::count(line.begin(), line.end(), u'[') <= 1;
    if (km == line.npos || km < 4 || std::stod(std::string(line.begin(), line.begin() + km)) > maxKm) std::abort();
    if (plain && !FindLineCoordinates(pieces).found) std::abort();
  }
  return lines;
}
