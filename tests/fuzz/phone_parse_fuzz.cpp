// The web answer parse on arbitrary bytes.
#include <cstddef>
#include <cstdint>

#include "core/reference_point.h"
#include "platform/result_list.h"
#include "search/phone_parse.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  g_referenceLongitude = 503000000;
  g_referenceLatitude = 128000000;
  ResultListClear();
  int added = ParseSearchResponseBytes(data, size);
  if (added != ResultListCount()) __builtin_trap();
  for (const std::u16string& line : ResultListLines())
    if (line.size() > kPhoneLineMaxChars) __builtin_trap();
  ResultListClear();
  return 0;
}
