#include "search/phone_parse.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "core/result_line.h"
#include "platform/codepage.h"
#include "platform/decimal.h"
#include "platform/files.h"
#include "platform/result_list.h"
#include "platform/utf.h"
#include "search/coordinates.h"
#include "search/phone_search.h"

namespace {

constexpr std::size_t kKeyBytes = 7;
const unsigned char kTitleKey[kKeyBytes] = {',', 's', 'x', 't', 'i', ':', '"'};
const unsigned char kPairKey[kKeyBytes] = {'a', 't', 'l', 'n', 'g', ':', '{'};

// Reads the answer byte by byte; every read stops at the end.
struct AnswerReader {
  const unsigned char* bytes;
  std::size_t size;
  std::size_t at = 0;

  bool Next(unsigned char& byte) {
    if (at >= size) return false;
    byte = bytes[at++];
    return true;
  }
  // Skipping past the end leaves the reader at the end, where the next read fails.
  void Skip(std::size_t count) { at += std::min(count, size - at); }
};

// What the parse carries from one key to the next.
struct ParseState {
  int32_t lon = 0;
  int32_t lat = 0;
  double distance = 0.0;
};

int32_t ClampToInt32(double value) {
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// One coordinate: `degreeDigits` bytes of whole degrees, one byte (the
// point), then fraction digits up to `end`, of which the first six count
// (padded with '0' to six).  `firstDegree` receives the first degree byte.
// An answer that ends inside a pair has no title after it, so a pair is read
// as far as the answer goes and nobody sees what a cut one would hold.
int32_t ReadCoordinate(AnswerReader& reader, std::size_t degreeDigits, unsigned char end, char& firstDegree) {
  char degrees[4] = {};
  unsigned char byte = 0;
  for (std::size_t i = 0; i < degreeDigits && reader.Next(byte); ++i) degrees[i] = static_cast<char>(byte);
  firstDegree = degrees[0];
  reader.Skip(1);
  char fraction[] = "000000";
  std::size_t kept = 0;
  while (reader.Next(byte) && byte != end) {
    if (kept < 6) fraction[kept++] = static_cast<char>(byte);
  }
  // A 0 byte among the digits ends the text early, as in a C string.
  double ms = static_cast<double>(ReadDecimalInteger(AsciiToUtf16(degrees))) * 3600000.0 +
              static_cast<double>(ReadDecimalInteger(AsciiToUtf16(fraction))) * 3.6;
  return ClampToInt32(ms);
}

// After "atlng:{": lat:DD.ffffff,lng:DDD.ffffff}
void ReadCoordinatePair(AnswerReader& reader, ParseState& state) {
  char latFirst{}, lonFirst{};
  reader.Skip(4);
  const int32_t lat = ReadCoordinate(reader, 2, ',', latFirst);
  reader.Skip(4);
  const int32_t lon = ReadCoordinate(reader, 3, '}', lonFirst);
  if (latFirst != '0') {
    TokyoPoint tokyo = ConvertWgs84ToTokyo(lon, lat);
    state.lon = tokyo.lon;
    state.lat = tokyo.lat;
    state.distance = DistanceFromReference(tokyo.lon, tokyo.lat);
  } else {
    // A pair that stands for "no position" is kept as read, out of the
    // datum conversion, and leaves the distance as it was.
    state.lon = lon;
    state.lat = lat;
  }
}

// After ",sxti:\"": the title up to the next '"', listed with the state.
bool ReadTitle(AnswerReader& reader, const ParseState& state) {
  std::string raw;
  for (;;) {
    unsigned char byte;
    if (!reader.Next(byte)) return false;
    if (byte == '"') break;
    if (raw.size() < kPhoneTitleMaxBytes) raw.push_back(static_cast<char>(byte));
  }
  const std::u16string title = CutUtf16(CodePage932ToWide(raw.data(), raw.size()), kPhoneTitleMaxChars);
  // A cut line would leave a place that cannot be opened: the title gives way.
  ResultListAdd(PhoneResultLine(state.distance, title, state.lon, state.lat, kPhoneLineMaxChars));
  return true;
}

}  // namespace

int ParseSearchResponseBytes(const unsigned char* bytes, std::size_t size) {
  AnswerReader reader{bytes, size};
  ParseState state;
  unsigned char window[kKeyBytes] = {};
  int added = 0;
  unsigned char byte;
  while (reader.Next(byte)) {
    std::memmove(window, window + 1, kKeyBytes - 1);
    window[kKeyBytes - 1] = byte;
    // The bytes read for a key's value do not pass through the window.
    if (std::memcmp(window, kTitleKey, kKeyBytes) == 0) {
      if (ReadTitle(reader, state)) ++added;
    } else if (std::memcmp(window, kPairKey, kKeyBytes) == 0) {
      ReadCoordinatePair(reader, state);
    }
  }
  return added;
}

int ParseSearchResponseFile(const std::u16string& cachePath) {
  ResultListClear();
  std::FILE* file = OpenDeviceFile(cachePath, "rb");
  if (file) {
    // One buffer of bounded size: the cache never holds more than an answer
    // is kept up to, whoever wrote the file.
    std::vector<unsigned char> bytes;
    unsigned char block[4096];
    std::size_t n;
    while (bytes.size() < kAnswerMaxBytes && (n = std::fread(block, 1, sizeof block, file)) > 0) {
      bytes.insert(bytes.end(), block, block + std::min(n, kAnswerMaxBytes - bytes.size()));
    }
    (void)std::fclose(file);  // read only: closing cannot lose anything
    ParseSearchResponseBytes(bytes.data(), bytes.size());
  }
  DeleteDeviceFile(cachePath);
  return ResultListCount();
}
