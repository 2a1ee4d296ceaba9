// qlcode-writer [--version N] IN.tsv OUT.qldb
// Writes a QLCode database from a TSV file of code, lon, lat (ms, Tokyo
// datum), name and info (UTF-8).  Empty lines and lines starting with '#'
// are skipped.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "tools/qlcode_writer/qlcode_writer.h"

int main(int argc, char** argv) {
  int version = 1;
  int arg = 1;
  if (arg + 1 < argc && std::strcmp(argv[arg], "--version") == 0) {
    version = std::atoi(argv[arg + 1]);
    arg += 2;
  }
  if (argc - arg != 2) {
    std::fprintf(stderr, "usage: qlcode-writer [--version N] IN.tsv OUT.qldb\n");
    return 2;
  }
  std::ifstream in(argv[arg]);
  if (!in) {
    std::fprintf(stderr, "qlcode-writer: cannot read %s\n", argv[arg]);
    return 1;
  }
  std::vector<QLCodeRecord> records;
  std::string line, error;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#' || line == "\r") continue;
    QLCodeRecord record;
    if (!ParseQLCodeTsvLine(line, record, error)) {
      std::fprintf(stderr, "qlcode-writer: %s:%d: %s\n", argv[arg], number, error.c_str());
      return 1;
    }
    records.push_back(record);
  }
  std::string bytes;
  if (!BuildQLCodeDatabase(records, version, bytes, error) || !WriteBinaryFile(argv[arg + 1], bytes)) {
    std::fprintf(stderr, "qlcode-writer: cannot write %s %s\n", argv[arg + 1], error.c_str());
    return 1;
  }
  std::printf("%zu records\n", records.size());
  return 0;
}
