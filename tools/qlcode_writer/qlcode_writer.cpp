#include "tools/qlcode_writer/qlcode_writer.h"

#include <cstdio>

#include "platform/codepage.h"
#include "platform/utf.h"
#include "tools/common/parse_int32.h"
#include "tools/common/tsv_line.h"

namespace {

void AppendInt32(std::string& bytes, uint32_t value) {
  for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

}  // namespace

bool AppendQLCodeRecord(const QLCodeRecord& record, std::string& bytes, std::string& error) {
  if (record.name.size() > 255 || record.info.size() > 255) {
    error = "text longer than 255 bytes";
    return false;
  }
  AppendInt32(bytes, static_cast<uint32_t>(record.code));
  AppendInt32(bytes, static_cast<uint32_t>(record.lon));
  AppendInt32(bytes, static_cast<uint32_t>(record.lat));
  bytes.push_back(static_cast<char>(record.name.size()));
  bytes += record.name;
  bytes.push_back(static_cast<char>(record.info.size()));
  bytes += record.info;
  AppendInt32(bytes, 0);
  return true;
}

bool BuildQLCodeDatabase(const std::vector<QLCodeRecord>& records, int version, std::string& bytes,
                         std::string& error) {
  bytes.clear();
  AppendInt32(bytes, static_cast<uint32_t>(version));
  AppendInt32(bytes, static_cast<uint32_t>(records.size()));
  bytes.resize(kQLCodeHeaderBytes, '\0');
  for (const QLCodeRecord& record : records)
    if (!AppendQLCodeRecord(record, bytes, error)) return false;
  return true;
}

bool ParseQLCodeTsvLine(const std::string& line, QLCodeRecord& record, std::string& error) {
  std::vector<std::string> fields;
  if (!SplitTsvFields(line, 5, "code, lon, lat, name, info", fields, error)) return false;
  if (!ParseInt32(fields[0], record.code) || !ParseInt32(fields[1], record.lon) || !ParseInt32(fields[2], record.lat)) {
    error = "code, lon and lat must be 32-bit integers";
    return false;
  }
  record.name = WideToCodePage932(Utf8ToUtf16(fields[3]));
  record.info = WideToCodePage932(Utf8ToUtf16(fields[4]));
  if (record.name.size() > 255 || record.info.size() > 255) {
    error = "name or info longer than 255 bytes in code page 932";
    return false;
  }
  return true;
}

bool WriteBinaryFile(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && ok;
}
