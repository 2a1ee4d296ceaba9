// Mesh files made to cost the keyword scan the most: long walks back over
// name characters, no run of three 0 bytes for the fallback to stop at, and
// the term over and over.  The unit tests count the scan's steps on them,
// the benchmarks time them and scan-compare lists their lines.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

// 厚木 in Shift-JIS: two first-level kanji, name characters both.
inline const std::string kCraftedTerm = "\x8C\xFA\x96\xD8";

// The term over and over, with no 0 byte anywhere.
inline std::string CraftRepeatedTerm(std::size_t size, const std::string& term = kCraftedTerm) {
  std::string file;
  file.reserve(size + term.size());
  while (file.size() < size) file += term;
  file.resize(size);
  return file;
}

// Random bytes in which no three 0 bytes stand in a row, the term planted
// every `every` bytes (every >= the term's size).
inline std::string CraftRandomBytesWithTerm(std::size_t size, uint32_t seed, std::size_t every,
                                            const std::string& term = kCraftedTerm) {
  std::string file(size, '\0');
  uint32_t state = seed;
  int zeros = 0;
  for (char& byte : file) {
    state = state * 1664525u + 1013904223u;
    unsigned value = (state >> 24) & 0xFF;
    zeros = value == 0 ? zeros + 1 : 0;
    if (zeros == 3) {
      value = 1;
      zeros = 0;
    }
    byte = static_cast<char>(value);
  }
  for (std::size_t at = every - term.size(); at + term.size() <= size; at += every) file.replace(at, term.size(), term);
  return file;
}

// Name characters (kana and kanji) without a break, the term every `every`
// bytes; with `breaks`, a "(", ")" or newline after every character, so that
// the walk back changes state at each of them.
inline std::string CraftNameCharacterRun(std::size_t size, std::size_t every, bool breaks,
                                         const std::string& term = kCraftedTerm) {
  static const char* const kCharacters[] = {"\x93\x8C", "\x8B\x9E", "\x83\x41", "\x82\xA0", "\x96\x7B"};
  static const char kBreaks[] = {'(', ')', '\n'};
  std::string file;
  file.reserve(size + every);
  std::size_t next = every;
  for (std::size_t i = 0; file.size() < size; ++i) {
    file += kCharacters[i % 5];
    if (breaks) file.push_back(kBreaks[i % 3]);
    if (file.size() >= next) {
      file += term;
      next += every;
    }
  }
  file.resize(size);
  return file;
}

// Every byte 0x89: a kanji whichever byte a pair starts at, so that a walk
// back goes to the file's first byte in either state.  Searched for
// "\x89\x89", every position is an occurrence.
inline std::string CraftSelfPairingRun(std::size_t size) { return std::string(size, '\x89'); }

// One record's zero run and valid offsets, then newlines to the end:
// searched for a newline, every occurrence decodes to this record, whose
// name copy runs over every newline to the file's end.
inline std::string CraftNewlinesAfterRecord(std::size_t size) {
  std::string file("\0\0\0\x28\0\x1E\0", 7);  // offsets 40 and 30
  file.resize(size, '\n');
  return file;
}
