// Writes answers of the web map search service in the shape the phone-number
// search parses: per place a marker with latlng:{lat:..,lng:..} and, after
// it, ,sxti:"title".
#pragma once
#include <string>
#include <vector>

struct AnswerPlace {
  // Decimal degrees as they appear in the answer ("35.6895", "139.6917");
  // an empty latitude writes the marker without a coordinate pair.
  std::string lat;
  std::string lng;
  std::string title;  // code page 932 bytes, written between quotes as is
};

// The whole page, in code page 932.
std::string BuildAnswerPage(const std::vector<AnswerPlace>& places);

// One TSV line "lat<TAB>lng<TAB>title" (title in UTF-8).  False with `error`
// set for a malformed line.
bool ParseAnswerTsvLine(const std::string& line, AnswerPlace& place, std::string& error);
