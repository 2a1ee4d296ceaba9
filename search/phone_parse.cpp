#include "search/phone_parse.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "platform/codepage.h"
#include "platform/files.h"
#include "platform/result_list.h"
#include "search/coordinates.h"

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
  bool Skip(std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
      unsigned char ignored;
      if (!Next(ignored)) return false;
    }
    return true;
  }
};

// What the parse carries from one key to the next.
struct ParseState {
  int32_t lon = 0;
  int32_t lat = 0;
  double distance = 0.0;
};

// Leading white space, a sign and the leading digits, as the C library reads
// an integer; the texts here are at most 6 characters long.
long ReadInteger(const char* text) {
  while (*text == ' ' || (*text >= '\t' && *text <= '\r')) ++text;
  bool negative = *text == '-';
  if (*text == '+' || *text == '-') ++text;
  long value = 0;
  for (; *text >= '0' && *text <= '9'; ++text) value = value * 10 + (*text - '0');
  return negative ? -value : value;
}

int32_t ClampToInt32(double value) {
  if (value >= 2147483647.0) return INT32_MAX;
  if (value <= -2147483648.0) return INT32_MIN;
  return static_cast<int32_t>(value);
}

// One coordinate: `degreeDigits` bytes of whole degrees, one byte (the
// point), then fraction digits up to `end`, of which the first six count
// (padded with '0' to six).  `firstDegree` receives the first degree byte.
bool ReadCoordinate(AnswerReader& reader, std::size_t degreeDigits, unsigned char end,
                    int32_t& value, char& firstDegree) {
  char degrees[4] = {0, 0, 0, 0};
  for (std::size_t i = 0; i < degreeDigits; ++i) {
    unsigned char byte;
    if (!reader.Next(byte)) return false;
    degrees[i] = static_cast<char>(byte);
  }
  firstDegree = degrees[0];
  if (!reader.Skip(1)) return false;
  char fraction[7] = {'0', '0', '0', '0', '0', '0', 0};
  std::size_t kept = 0;
  for (;;) {
    unsigned char byte;
    if (!reader.Next(byte)) return false;
    if (byte == end) break;
    if (kept < 6) fraction[kept++] = static_cast<char>(byte);
  }
  // A 0 byte among the digits ends the text early, as in a C string.
  double ms = static_cast<double>(ReadInteger(degrees)) * 3600000.0 +
              static_cast<double>(ReadInteger(fraction)) * 3.6;
  value = ClampToInt32(ms);
  return true;
}

// After "atlng:{": lat:DD.ffffff,lng:DDD.ffffff}
bool ReadCoordinatePair(AnswerReader& reader, ParseState& state) {
  int32_t lat = 0, lon = 0;
  char latFirst = 0, lonFirst = 0;
  if (!reader.Skip(4) || !ReadCoordinate(reader, 2, ',', lat, latFirst)) return false;
  if (!reader.Skip(4) || !ReadCoordinate(reader, 3, '}', lon, lonFirst)) return false;
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
  return true;
}

std::u16string AsciiToWide(const char* text) {
  std::u16string wide;
  for (const char* c = text; *c; ++c) wide.push_back(static_cast<char16_t>(static_cast<unsigned char>(*c)));
  return wide;
}

// Cuts `text` to at most `limit` UTF-16 units without splitting a pair.
void CutText(std::u16string& text, std::size_t limit) {
  if (text.size() <= limit) return;
  std::size_t n = limit;
  if (n > 0 && text[n - 1] >= 0xD800 && text[n - 1] < 0xDC00) --n;
  text.resize(n);
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
  std::u16string title = CodePage932ToWide(raw.data(), raw.size());
  CutText(title, kPhoneTitleMaxChars);

  char head[32], tail[48];
  std::snprintf(head, sizeof head, "%4.fkm,", state.distance);
  std::snprintf(tail, sizeof tail, ", ,%d,%d, ", static_cast<int>(state.lon), static_cast<int>(state.lat));
  // The title gives way so that the coordinates stay in the line: a cut
  // line would leave a place that cannot be opened.
  std::size_t fixed = std::strlen(head) + std::strlen(tail);
  CutText(title, fixed < kPhoneLineMaxChars ? kPhoneLineMaxChars - fixed : 0);
  ResultListAdd(AsciiToWide(head) + title + AsciiToWide(tail));
  return true;
}

}  // namespace

int ParseSearchResponseBytes(const unsigned char* bytes, std::size_t size) {
  AnswerReader reader{bytes, size};
  ParseState state;
  unsigned char window[kKeyBytes] = {0, 0, 0, 0, 0, 0, 0};
  int added = 0;
  unsigned char byte;
  while (reader.Next(byte)) {
    std::memmove(window, window + 1, kKeyBytes - 1);
    window[kKeyBytes - 1] = byte;
    // The bytes read for a key's value do not pass through the window.
    if (std::memcmp(window, kTitleKey, kKeyBytes) == 0) {
      if (!ReadTitle(reader, state)) break;
      ++added;
    } else if (std::memcmp(window, kPairKey, kKeyBytes) == 0) {
      if (!ReadCoordinatePair(reader, state)) break;
    }
  }
  return added;
}

int ParseSearchResponseFile(const std::u16string& cachePath) {
  ResultListClear();
  std::FILE* file = OpenDeviceFile(cachePath, "rb");
  if (file) {
    std::vector<unsigned char> bytes;
    unsigned char block[4096];
    std::size_t n;
    while ((n = std::fread(block, 1, sizeof block, file)) > 0) bytes.insert(bytes.end(), block, block + n);
    std::fclose(file);
    ParseSearchResponseBytes(bytes.data(), bytes.size());
  }
  DeleteDeviceFile(cachePath);
  return ResultListCount();
}
