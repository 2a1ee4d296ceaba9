#include "core/result_line.h"

#include <algorithm>
#include <charconv>

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
  // "%4.fkm," cut to 63 characters (any distance on earth fits; more would
  // be cut).  std::to_chars with a precision converts exactly as printf's
  // "%.0f" does (the same rounding of the same binary value) at a fraction
  // of its cost, which counts where a search lists hundreds of lines.
  char digits[400];  // the longest double in fixed notation has 309 digits and a sign
  const std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, km, std::chars_format::fixed, 0);
  const std::size_t length = static_cast<std::size_t>(end.ptr - digits);
  std::u16string head(length < 4 ? 4 - length : 0, u' ');
  head.append(digits, end.ptr);
  head += u"km,";
  if (head.size() > 63) head.resize(63);
  return head;
}

std::u16string MeshResultLine(double km, const std::u16string& name, const std::u16string& code, int32_t lon,
                              int32_t lat, bool recovered) {
  // Built in place in one allocation: a search of a common name part makes
  // hundreds of these, and the temporaries of a chain of + cost more than
  // the scan that found them.
  constexpr int kInt32Chars = 11;      // "-2147483648"
  char position[2 * kInt32Chars + 2];  // "%d,%d,"
  char* end = std::to_chars(position, position + kInt32Chars, lon).ptr;
  *end++ = ',';
  end = std::to_chars(end, end + kInt32Chars, lat).ptr;
  *end++ = ',';
  std::u16string line = DistanceField(km);
  line.reserve(line.size() + name.size() + code.size() + 8 + static_cast<std::size_t>(end - position));
  line += name;
  line += u",[";
  line += code;
  line += u"],";
  line.append(position, end);  // ASCII, widened unit by unit
  line += recovered ? u"\u25B3 " : u"  ";
  return line;
}

std::u16string QLCodeLineBody(const std::u16string& name, int32_t code, int32_t lon, int32_t lat,
                              const std::u16string& info) {
  return name + u",[" + AsciiToUtf16(std::to_string(code)) + u"]," + Position(lon, lat) + info;
}

std::u16string PhoneResultLine(double km, const std::u16string& title, int32_t lon, int32_t lat, std::size_t maxChars) {
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
