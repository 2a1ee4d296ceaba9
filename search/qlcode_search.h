// The location-code category search: lists the places of the QLCode
// database near the reference point whose record text holds the term.
//
// The database is 80 header bytes (not interpreted) followed by records back
// to back up to the end of the file, little-endian:
//   code, longitude, latitude (32-bit signed, ms, Tokyo datum),
//   name length (8-bit), name bytes, info length (8-bit), info bytes
//   (code page 932, no terminator), one trailing 32-bit word (ignored).
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

constexpr long kQLCodeHeaderBytes = 80;

struct QLCodeRecord {
  int32_t code = 0;
  int32_t lon = 0;
  int32_t lat = 0;
  std::string name;  // code page 932 bytes
  std::string info;
};

// Reads the next record.  False when any field before the trailing word
// cannot be read (the scan ends there); a record that lacks only its
// trailing word is still returned.
bool ReadQLCodeRecord(std::FILE* file, QLCodeRecord& record);

// name,[code],lon,lat,info in UTF-16: the text the term is matched against
// and, behind the distance, the result line.  Texts end at a 0 byte.
std::u16string QLCodeSearchLine(const QLCodeRecord& record);

// 11 km, or 51 when no category of the list is selected; 3501 for a term
// reading (ReadDecimalInteger: leading digits, saturating) as a number above
// 999999 in either case.
int QLCodeSearchRadius(const std::u16string& term, bool categorySelected);

// Scans the records of an open database positioned after the header and adds
// one result line per record that holds the term and lies strictly within
// `radius` km.  Returns the number of lines added.
int ScanQLCodeRecords(std::FILE* file, const std::u16string& term, double radius);

// The whole search over the database at `databasePath`: clears the result
// list, then scans.  Returns the number of lines added, 0 when the file
// cannot be opened.
int SearchQLCodeFile(const std::u16string& databasePath, const std::u16string& term, bool categorySelected);
