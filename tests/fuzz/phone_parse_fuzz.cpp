// The web answer parse on arbitrary bytes: the count is the lines listed,
// no line is longer than its buffer, lines read back, twice the same.
#include <cstddef>
#include <cstdint>

#include "core/reference_point.h"
#include "search/phone_parse.h"
#include "tests/fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  g_referenceLongitude = 503000000, g_referenceLatitude = 128000000;
  std::vector<std::u16string> passes[2];
  for (auto& lines : passes) {
    ResultListClear();
    lines = CheckedLines(ParseSearchResponseBytes(data, size));
    for (const std::u16string& line : lines)
      if (line.size() > kPhoneLineMaxChars) std::abort();
  }
  if (passes[0] != passes[1]) std::abort();
  ResultListClear();
  return 0;
}
