#include "tools/answer_writer/answer_writer.h"
#include "tools/common/tsv_line.h"

#include "platform/codepage.h"
#include "platform/utf.h"

std::string BuildAnswerPage(const std::vector<AnswerPlace>& places) {
  std::string page =
      "<!DOCTYPE html><html><head><meta http-equiv=\"content-type\" "
      "content=\"text/html; charset=Shift_JIS\"><title>maps</title></head><body>"
      "<script>var page={query:\"\",overlays:{markers:[";
  for (std::size_t i = 0; i < places.size(); ++i) {
    const AnswerPlace& place = places[i];
    if (i > 0) page += ",\n";
    page += "{id:\"";
    page += static_cast<char>('A' + i % 26);
    page += "\",cid:\"" + std::to_string(1000 + i) + "\"";
    if (!place.lat.empty()) page += ",latlng:{lat:" + place.lat + ",lng:" + place.lng + "}";
    page += ",image:\"/markers/red.png\",sxti:\"" + place.title + "\",sxst:\"\",laddr:\"\"}";
  }
  page += "]}};</script></body></html>\n";
  return page;
}

bool ParseAnswerTsvLine(const std::string& line, AnswerPlace& place, std::string& error) {
  std::vector<std::string> fields;
  if (!SplitTsvFields(line, 3, "lat, lng, title", fields, error)) return false;
  place.lat = fields[0];
  place.lng = fields[1];
  place.title = WideToCodePage932(Utf8ToUtf16(fields[2]));
  if (place.title.find('"') != std::string::npos) {
    error = "a title cannot hold a double quote";
    return false;
  }
  return true;
}
