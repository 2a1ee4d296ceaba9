// The web answer parse on arbitrary bytes: the count is the lines listed, no line is longer than its buffer, lines
// read back, twice the same.  Every line ends in its fields ", ,LON,LAT, " whatever its title holds, and opening it
// finds that position or, where the title makes it ambiguous, none: never another.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "core/reference_point.h"
#include "core/result_line.h"
#include "search/phone_parse.h"
#include "tests/fuzz/fuzz_checks.h"

namespace {

void CheckFields(const std::u16string& line) {
  const std::vector<std::u16string> pieces = SplitResultLine(line);
  const std::size_t n = pieces.size();
  // Distance, then (the title, when it is not empty), the blank code, the position, the blank mark.
  if (n < 5 || line.compare(line.size() - 2, 2, u", ") != 0) std::abort();
  if (pieces[n - 1] != u" " || pieces[n - 4] != u" ") std::abort();
  // The opener reads the pair after the code piece; where it finds one, it is this line's own.
  const LineCoordinates opened = FindLineCoordinates(pieces);
  const LineCoordinates own = FindLineCoordinates({pieces[0], pieces[n - 4], pieces[n - 3], pieces[n - 2]});
  if (!own.found || (opened.found && (opened.lon != own.lon || opened.lat != own.lat))) std::abort();
  // A title with no separator of its own: six pieces or five (no title), and the line opens where it says.
  if ((n == 5 || n == 6) && !opened.found) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  g_referenceLongitude = 503000000;
  g_referenceLatitude = 128000000;
  std::vector<std::u16string> passes[2];
  for (auto& lines : passes) {
    ResultListClear();
    lines = CheckedLines(ParseSearchResponseBytes(data, size));
    for (const std::u16string& line : lines) {
      if (line.size() > kPhoneLineMaxChars) std::abort();
      CheckFields(line);
    }
  }
  if (passes[0] != passes[1]) std::abort();
  ResultListClear();
  return 0;
}
