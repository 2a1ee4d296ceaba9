#pragma once

struct StandinGlyph {
  char16_t character;
  int advance;
  const char* black;       // samples of the two columns, first column first
  const char* background;  // the same for coloured text (scale 1: first 7 only for ".")
};

// [layout][character]: layout 0 scale 1, 1 scale 2 regular, 2 scale 2 alternate;
// characters in the order 1..9, 0, degree sign, prime, point.
extern const StandinGlyph kStandinGlyphs[3][13];
