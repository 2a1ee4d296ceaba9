// Writes QLCode database files: 80 header bytes, then the records in the
// layout search/qlcode_search.h reads.
#pragma once
#include <string>
#include <vector>

#include "search/qlcode_search.h"

// One record's bytes, trailing word included.  False (and `error` set) when a
// text is longer than the 255 bytes its length byte can count.
bool AppendQLCodeRecord(const QLCodeRecord& record, std::string& bytes, std::string& error);

// The whole file: header (word 0 the database version, word 1 the record
// count, the rest 0), then the records.
bool BuildQLCodeDatabase(const std::vector<QLCodeRecord>& records, int version, std::string& bytes, std::string& error);

// One TSV line "code<TAB>lon<TAB>lat<TAB>name<TAB>info", texts in UTF-8,
// converted to code page 932.  False with `error` set for a malformed line.
bool ParseQLCodeTsvLine(const std::string& line, QLCodeRecord& record, std::string& error);

bool WriteBinaryFile(const std::string& path, const std::string& bytes);
