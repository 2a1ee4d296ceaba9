#include "maplink/glyph_sets.h"

namespace {

// Scale 1: columns x and x+1 (black) or x+1 and x+2 (background), rows y0..y0+6.
const GlyphEntry kScale1Black[kGlyphsPerSet] = {
    {u'1', 5, "00000000100001"}, {u'2', 5, "10000111000101"}, {u'3', 5, "10000011001001"},
    {u'4', 5, "00011000010100"}, {u'5', 5, "11110011001001"}, {u'6', 5, "01111101001001"},
    {u'7', 5, "10000011000110"}, {u'8', 5, "01101101001001"}, {u'9', 5, "01100001001001"},
    {u'0', 5, "01111101000001"}, {u'\u00B0', 8, "01100001001000"}, {u'\u2032', 6, "00000000010000"},
    {u'.', 3, "00000000000011"},
};
// The "." of this set is matched on its first seven samples only (see the
// screen reader); the full string below is one that satisfies that rule.
const GlyphEntry kScale1Background[kGlyphsPerSet] = {
    {u'1', 5, "01111111111111"}, {u'2', 5, "10001111001111"}, {u'3', 5, "10010011001001"},
    {u'4', 5, "01111001111111"}, {u'5', 5, "11110011111001"}, {u'6', 5, "11111111101001"},
    {u'7', 5, "10000111001111"}, {u'8', 5, "11111111011001"}, {u'9', 5, "11110011001011"},
    {u'0', 5, "11111111000001"}, {u'\u00B0', 8, "11110001001000"}, {u'\u2032', 6, "11100001100000"},
    {u'.', 3, "0000011"},
};
// Scale 2 regular: columns x and x+1, rows y0..y0+8.
const GlyphEntry kScale2RegularBlack[kGlyphsPerSet] = {
    {u'1', 7, "000000000010000001"}, {u'2', 7, "010000011100000101"}, {u'3', 7, "010000010100000001"},
    {u'4', 7, "000011000000101000"}, {u'5', 7, "111100010100100001"}, {u'6', 7, "001111110010100001"},
    {u'7', 7, "100000000100000001"}, {u'8', 7, "011101110100010001"}, {u'9', 7, "011110000100001001"},
    {u'0', 7, "011111110100000001"}, {u'\u00B0', 10, "011100000100010000"},
    {u'\u2032', 8, "000000000000100000"}, {u'.', 4, "000000000000000011"},
};
const GlyphEntry kScale2RegularBackground[kGlyphsPerSet] = {
    {u'1', 7, "000000000010000001"}, {u'2', 7, "110000011110000111"}, {u'3', 7, "110000011110000011"},
    {u'4', 7, "000011000001111000"}, {u'5', 7, "111100011111100011"}, {u'6', 7, "001111110011111111"},
    {u'7', 7, "100000000100000011"}, {u'8', 7, "011101110111111111"}, {u'9', 7, "011110001111111001"},
    {u'0', 7, "011111110111111111"}, {u'\u00B0', 10, "011100000111110000"},
    {u'\u2032', 8, "000100000111100000"}, {u'.', 4, "000000011000000011"},
};
// Scale 2 alternate: column x+1 rows y0..y0+5, then column x+2 rows y0+6..y0+11.
const GlyphEntry kScale2AlternateBlack[kGlyphsPerSet] = {
    {u'1', 9, "001000000001"}, {u'2', 9, "010000000111"}, {u'3', 9, "010000000011"},
    {u'4', 9, "000001010000"}, {u'5', 9, "000000000001"}, {u'6', 9, "001111000011"},
    {u'7', 9, "100000000111"}, {u'8', 9, "011110000011"}, {u'9', 9, "011111110001"},
    {u'0', 9, "011111000011"}, {u'\u00B0', 13, "011110000000"}, {u'\u2032', 10, "000110000000"},
    {u'.', 5, "000000000011"},
};
const GlyphEntry kScale2AlternateBackground[kGlyphsPerSet] = {
    {u'1', 9, "001000000001"}, {u'2', 9, "111000001111"}, {u'3', 9, "111000000011"},
    {u'4', 9, "000011110000"}, {u'5', 9, "111110000011"}, {u'6', 9, "001111111111"},
    {u'7', 9, "100000000111"}, {u'8', 9, "011110111111"}, {u'9', 9, "011111110001"},
    {u'0', 9, "011111111111"}, {u'\u00B0', 13, "111110000000"}, {u'\u2032', 10, "001110000000"},
    {u'.', 5, "000000000011"},
};

}  // namespace

const GlyphEntry* GlyphSetFor(ReadoutGeometry geometry, InkTest ink) {
  static const GlyphEntry* const kSets[kGeometryCount][2] = {
      {kScale1Black, kScale1Background},
      {kScale2RegularBlack, kScale2RegularBackground},
      {kScale2AlternateBlack, kScale2AlternateBackground},
  };
  return kSets[geometry][ink];
}

int PatternLengthOf(ReadoutGeometry geometry) {
  switch (geometry) {
    case kGeometryScale1: return 14;
    case kGeometryScale2Regular: return 18;
    case kGeometryScale2Alternate: return 12;
  }
  return 0;
}
