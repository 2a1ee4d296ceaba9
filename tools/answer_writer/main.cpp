// answer-writer IN.tsv OUT.html
// Writes a web map search answer from a TSV file of lat, lng (decimal
// degrees, WGS84, as they should appear) and title (UTF-8).  Empty lines and
// lines starting with '#' are skipped; an empty lat leaves the place without
// a coordinate pair.
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "tools/answer_writer/answer_writer.h"

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: answer-writer IN.tsv OUT.html\n");
    return 2;
  }
  std::ifstream in(argv[1]);
  if (!in) {
    std::fprintf(stderr, "answer-writer: cannot read %s\n", argv[1]);
    return 1;
  }
  std::vector<AnswerPlace> places;
  std::string line, error;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#' || line == "\r") continue;
    AnswerPlace place;
    if (!ParseAnswerTsvLine(line, place, error)) {
      std::fprintf(stderr, "answer-writer: %s:%d: %s\n", argv[1], number, error.c_str());
      return 1;
    }
    places.push_back(place);
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
