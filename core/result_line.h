// The result line: "distance,name,code,longitude,latitude,text", written by
// every search and read back when the user picks a line.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

// Writing.  Every line starts with the distance as "%4.fkm,".
std::u16string DistanceField(double km);
// A map data place: "%4.fkm,%s,[%s],%d,%d,%s " with the mark "△" for a
// position recovered the second way, else a blank.
std::u16string MeshResultLine(double km, const std::u16string& name, const std::u16string& code, int32_t lon,
                              int32_t lat, bool recovered);
// A QLCode record after the distance: "%s,[%d],%d,%d,%s" (name, code,
// position, information); the search matches its term against this text.
std::u16string QLCodeLineBody(const std::u16string& name, int32_t code, int32_t lon, int32_t lat,
                              const std::u16string& info);
// A place of the web answer: "%4.fkm,%s, ,%d,%d, ", at most `maxChars`
// units: the title gives way, so the line always keeps its coordinates.
std::u16string PhoneResultLine(double km, const std::u16string& title, int32_t lon, int32_t lat, std::size_t maxChars);

// Reading.  Splits at every ',' and line feed, skipping empty pieces, so adjacent
// separators count as one.
std::vector<std::u16string> SplitResultLine(const std::u16string& line);

// Reads a whole piece as a 32-bit decimal integer: leading blanks, an
// optional sign, 1 to 10 digits and nothing else, at most 11 characters
// after the blanks, within the 32-bit range.  False for anything else.
bool ReadCoordinatePiece(const std::u16string& piece, int32_t* value);

// Where the longitude and latitude of a line stand.  Fields are neither
// quoted nor escaped, so a name or text holding ',' or a line feed gives more
// pieces, and an empty name fewer.  The coordinates are the two pieces right
// after the code piece ("[...]", or the single blank of the phone search),
// found in either case; a line in which no such place, or more than one,
// exists yields none, so the map application is never started at a point
// read from the wrong pieces.
struct LineCoordinates {
  bool found = false;
  int32_t lon = 0;
  int32_t lat = 0;
};
LineCoordinates FindLineCoordinates(const std::vector<std::u16string>& pieces);

// "選択地点を表示します\n\n", the first six pieces each followed by "\n", and
// "目的地に設定しますか?\n".  The text is held to 255 characters; when the
// pieces are longer they are cut and end with "…\n", the question is kept.
std::u16string BuildConfirmationText(const std::vector<std::u16string>& pieces);
constexpr std::size_t kConfirmationTextMax = 255;
