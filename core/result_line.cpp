#include "core/result_line.h"

#include <algorithm>
#include <cstdio>

#include "platform/utf.h"

namespace {

// "%d,%d," of a position.
std::u16string Position(int32_t lon, int32_t lat) {
  return AsciiToUtf16(std::to_string(lon) + "," + std::to_string(lat) + ",");
}

}  // namespace

std::vector<std::u16string> SplitResultLine(const std::u16string& line) {
  std::vector<std::u16string> pieces;
  std::u16string piece;
  for (char16_t c : line) {
    if (c == u',' || c == u'\n') {
      if (!piece.empty()) pieces.push_back(piece);
      piece.clear();
    } else {
      piece.push_back(c);
    }
  }
  if (!piece.empty()) pieces.push_back(piece);
  return pieces;
}

bool ReadCoordinatePiece(const std::u16string& piece, int32_t* value) {
  std::size_t i = std::min(piece.find_first_not_of(u' '), piece.size());
  if (piece.size() - i > 11) return false;
  bool negative = false;
  if (i < piece.size() && (piece[i] == u'-' || piece[i] == u'+')) negative = piece[i++] == u'-';
  if (i == piece.size()) return false;
  int64_t v = 0;
  for (; i < piece.size(); ++i) {
    if (piece[i] < u'0' || piece[i] > u'9') return false;
    v = v * 10 + (piece[i] - u'0');
    if (v > 2147483648LL) return false;
  }
  if (negative) v = -v;
  if (v > INT32_MAX || v < INT32_MIN) return false;
  *value = static_cast<int32_t>(v);
  return true;
}

namespace {
bool IsCodePiece(const std::u16string& piece) {
  if (piece == u" ") return true;
  return piece.size() >= 2 && piece.front() == u'[' && piece.back() == u']';
}
}  // namespace

LineCoordinates FindLineCoordinates(const std::vector<std::u16string>& pieces) {
  LineCoordinates result;
  int matches = 0;
  // The distance piece comes first; the code piece follows at least it.
  for (std::size_t i = 1; i + 2 < pieces.size(); ++i) {
    int32_t lon, lat;
    if (IsCodePiece(pieces[i]) && ReadCoordinatePiece(pieces[i + 1], &lon) &&
        ReadCoordinatePiece(pieces[i + 2], &lat)) {
      ++matches;
      result.lon = lon;
      result.lat = lat;
    }
  }
  result.found = matches == 1;
  if (!result.found) result.lon = result.lat = 0;
  return result;
}

std::u16string DistanceField(double km) {
  char head[64];
  (void)std::snprintf(head, sizeof head, "%4.fkm,", km);  // any distance on earth fits; more would be cut
  return AsciiToUtf16(head);
}

std::u16string MeshResultLine(double km, const std::u16string& name, const std::u16string& code, int32_t lon,
                              int32_t lat, bool recovered) {
  return DistanceField(km) + name + u",[" + code + u"]," + Position(lon, lat) + (recovered ? u"\u25B3 " : u"  ");
}

std::u16string QLCodeLineBody(const std::u16string& name, int32_t code, int32_t lon, int32_t lat,
                              const std::u16string& info) {
  return name + u",[" + AsciiToUtf16(std::to_string(code)) + u"]," + Position(lon, lat) + info;
}

std::u16string PhoneResultLine(double km, const std::u16string& title, int32_t lon, int32_t lat,
                               std::size_t maxChars) {
  const std::u16string head = DistanceField(km);
  const std::u16string tail = u", ," + Position(lon, lat) + u" ";
  const std::size_t fixed = head.size() + tail.size();
  return head + CutUtf16(title, fixed < maxChars ? maxChars - fixed : 0) + tail;
}

std::u16string BuildConfirmationText(const std::vector<std::u16string>& pieces) {
  const std::u16string head = u"選択地点を表示します\n\n";
  const std::u16string question = u"目的地に設定しますか?\n";
  std::u16string fields;
  for (std::size_t i = 0; i < pieces.size() && i < 6; ++i) fields += pieces[i] + u"\n";
  const std::size_t room = kConfirmationTextMax - head.size() - question.size();
  if (fields.size() > room) {
    fields = CutUtf16(fields, room - 2) + u"…\n";
  }
  return head + fields + question;
}
