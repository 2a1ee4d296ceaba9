#include "search/qlcode_search.h"

#include <cstdio>

#include "core/result_line.h"
#include "platform/codepage.h"
#include "platform/decimal.h"
#include "platform/files.h"
#include "platform/result_list.h"
#include "search/coordinates.h"

namespace {

bool ReadInt32(std::FILE* file, int32_t& value) {
  unsigned char bytes[4];
  if (std::fread(bytes, 1, 4, file) != 4) return false;
  uint32_t u = static_cast<uint32_t>(bytes[0]) | (static_cast<uint32_t>(bytes[1]) << 8) |
               (static_cast<uint32_t>(bytes[2]) << 16) | (static_cast<uint32_t>(bytes[3]) << 24);
  value = static_cast<int32_t>(u);
  return true;
}

// A length byte and that many bytes.
bool ReadText(std::FILE* file, std::string& text) {
  int length = std::fgetc(file);
  if (length == EOF) return false;
  text.assign(static_cast<std::size_t>(length), '\0');
  if (length == 0) return true;
  return std::fread(&text[0], 1, static_cast<std::size_t>(length), file) == static_cast<std::size_t>(length);
}

}  // namespace

bool ReadQLCodeRecord(std::FILE* file, QLCodeRecord& record) {
  if (!ReadInt32(file, record.code) || !ReadInt32(file, record.lon) || !ReadInt32(file, record.lat)) return false;
  if (!ReadText(file, record.name) || !ReadText(file, record.info)) return false;
  // The trailing word carries nothing; a file that ends before it still
  // holds a whole record.
  unsigned char trailing[4];
  (void)std::fread(trailing, 1, sizeof trailing, file);
  return true;
}

std::u16string QLCodeSearchLine(const QLCodeRecord& record) {
  return QLCodeLineBody(CodePage932ToWide(record.name.data(), record.name.size()), record.code, record.lon, record.lat,
                        CodePage932ToWide(record.info.data(), record.info.size()));
}

int QLCodeSearchRadius(const std::u16string& term, bool categorySelected) {
  int radius = categorySelected ? 11 : 51;
  if (ReadDecimalInteger(term) > 999999) radius = 3501;
  return radius;
}

int ScanQLCodeRecords(std::FILE* file, const std::u16string& term, double radius) {
  int count = 0;
  QLCodeRecord record;
  while (ReadQLCodeRecord(file, record)) {
    std::u16string line = QLCodeSearchLine(record);
    if (line.find(term) == std::u16string::npos) continue;
    double distance = DistanceFromReference(record.lon, record.lat);
    if (!(distance < radius)) continue;
    ResultListAdd(DistanceField(distance) + line);
    ++count;
  }
  return count;
}

int SearchQLCodeFile(const std::u16string& databasePath, const std::u16string& term, bool categorySelected) {
  const double radius = QLCodeSearchRadius(term, categorySelected);
  ResultListClear();
  std::FILE* file = OpenDeviceFile(databasePath, "rb");
  if (!file) return 0;
  int count = 0;
  if (std::fseek(file, kQLCodeHeaderBytes, SEEK_SET) == 0) count = ScanQLCodeRecords(file, term, radius);
  (void)std::fclose(file);  // read only: closing cannot lose anything
  return count;
}
