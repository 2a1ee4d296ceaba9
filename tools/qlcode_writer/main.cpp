// qlcode-writer [--version N] IN.tsv OUT.qldb
// Writes a QLCode database from a TSV file of code, lon, lat (ms, Tokyo
// datum), name and info (UTF-8).  Empty lines and lines starting with '#'
// are skipped.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/common/tsv_line.h"
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
  std::vector<QLCodeRecord> records;
  std::string error;
  if (!ReadTsvRows(argv[arg], ParseQLCodeTsvLine, records, error)) {
    std::fprintf(stderr, "qlcode-writer: %s\n", error.c_str());
    return 1;
  }
  std::string bytes;
  if (!BuildQLCodeDatabase(records, version, bytes, error) || !WriteBinaryFile(argv[arg + 1], bytes)) {
    std::fprintf(stderr, "qlcode-writer: cannot write %s %s\n", argv[arg + 1], error.c_str());
    return 1;
  }
  std::printf("%zu records\n", records.size());
  return 0;
}
