// Helpers shared by the unit tests.
#pragma once
#include <fstream>
#include <string>
#include <vector>

#include "core/reference_point.h"
#include "platform/codepage.h"
#include "platform/result_list.h"
#include "platform/utf.h"

inline std::string Sjis(const std::u16string& text) { return WideToCodePage932(text); }
inline void WriteBytesTo(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
// The result list as UTF-8, in list order.
using Lines = std::vector<std::string>;
inline Lines ResultLinesUtf8() {
  Lines lines;
  for (const std::u16string& line : ResultListLines()) lines.push_back(Utf16ToUtf8(line));
  return lines;
}
// Sets the reference point for one test and restores it afterwards.
struct ReferencePointScope {
  int32_t savedLon = g_referenceLongitude, savedLat = g_referenceLatitude;
  ReferencePointScope(int32_t lon, int32_t lat) {
    g_referenceLongitude = lon;
    g_referenceLatitude = lat;
  }
  ~ReferencePointScope() {
    g_referenceLongitude = savedLon;
    g_referenceLatitude = savedLat;
  }
};
