// answer-writer IN.tsv OUT.html
// Writes a web map search answer from a TSV file of lat, lng (decimal
// degrees, WGS84, as they should appear) and title (UTF-8).  Empty lines and
// lines starting with '#' are skipped; an empty lat leaves the place without
// a coordinate pair.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/answer_writer/answer_writer.h"
#include "tools/common/tsv_line.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: answer-writer IN.tsv OUT.html\n");
    return 2;
  }
  std::vector<AnswerPlace> places;
  std::string error;
  if (!ReadTsvRows(argv[1], ParseAnswerTsvLine, places, error)) {
    std::fprintf(stderr, "answer-writer: %s\n", error.c_str());
    return 1;
  }
  std::string page = BuildAnswerPage(places);
  std::FILE* out = std::fopen(argv[2], "wb");
  bool ok = out && std::fwrite(page.data(), 1, page.size(), out) == page.size();
  if (out && std::fclose(out) != 0) ok = false;
  if (!ok) {
    std::fprintf(stderr, "answer-writer: cannot write %s\n", argv[2]);
    return 1;
  }
  std::printf("%zu places\n", places.size());
  return 0;
}
