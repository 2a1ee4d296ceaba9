// The QLCode database reader on arbitrary bytes: the records after the
// header, matched against a term that most lines hold.
#include <cstddef>
#include <cstdint>
#include <cstdio>

#include "core/reference_point.h"
#include "platform/result_list.h"
#include "search/qlcode_search.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;  // fmemopen refuses an empty buffer
  g_referenceLongitude = 503000000;
  g_referenceLatitude = 128000000;
  std::FILE* file = fmemopen(const_cast<uint8_t*>(data), size, "rb");
  if (!file) return 0;
  ResultListClear();
  if (std::fseek(file, kQLCodeHeaderBytes, SEEK_SET) == 0) {
    ScanQLCodeRecords(file, u",", 3501.0);  // every search line holds a comma
    ScanQLCodeRecords(file, u"温泉", 11.0);
  }
  std::fclose(file);
  ResultListClear();
  return 0;
}
