// Native build: iconv's CP932 converter stands in for the platform's
// code page 932 tables.
#include <iconv.h>

#include <cerrno>
#include <vector>

#include "platform/codepage.h"

namespace {

// The converter from `from` to `to`, opened on first use and kept for the
// life of the process: opening one looks its modules up by name and costs
// more than converting a place name, which a search does once per result.
// One thread converts (the program has no other), and every conversion
// starts by resetting the converter's state.
iconv_t Converter(iconv_t* kept, const char* to, const char* from) {
  // NOLINTNEXTLINE(performance-no-int-to-ptr): iconv_open's failure value
  if (*kept == reinterpret_cast<iconv_t>(-1)) *kept = iconv_open(to, from);
  return *kept;
}

// Converts with iconv, replacing what cannot be converted by `bad` (encoded in
// the target) and skipping one input unit of `unit` bytes.
std::vector<char> Convert(iconv_t cd, const char* in, std::size_t inLength, const char* bad, std::size_t badLength,
                          std::size_t unit) {
  std::vector<char> out;
  if (cd == reinterpret_cast<iconv_t>(-1)) return out;  // NOLINT(performance-no-int-to-ptr): iconv_open's failure value
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  out.resize(inLength * 4 + 16);
  char* src = const_cast<char*>(in);
  std::size_t srcLeft = inLength;
  std::size_t done = 0;
  while (srcLeft > 0) {
    char* dst = out.data() + done;
    std::size_t dstLeft = out.size() - done;
    std::size_t r = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    done = out.size() - dstLeft;
    if (r != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      out.resize(out.size() * 2);
      continue;
    }
    // EILSEQ or EINVAL (a sequence cut off by the end): replace one unit.
    if (out.size() - done < badLength) out.resize(out.size() * 2);
    for (std::size_t k = 0; k < badLength; ++k) out[done++] = bad[k];
    std::size_t skip = srcLeft < unit ? srcLeft : unit;
    src += skip;
    srcLeft -= skip;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  out.resize(done);
  return out;
}

}  // namespace

std::string WideToCodePage932(const std::u16string& text) {
  if (text.empty()) return std::string();
  static iconv_t kept = reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr): not opened yet
  std::vector<char> out = Convert(Converter(&kept, "CP932", "UTF-16LE"), reinterpret_cast<const char*>(text.data()),
                                  text.size() * 2, "?", 1, 2);
  return std::string(out.begin(), out.end());
}

std::u16string CodePage932ToWide(const char* bytes, std::size_t length) {
  std::size_t used = 0;
  while (used < length && bytes[used] != '\0') ++used;
  if (used == 0) return std::u16string();
  static const char kReplacement[2] = {'\xFD', '\xFF'};  // U+FFFD in UTF-16LE
  static iconv_t kept = reinterpret_cast<iconv_t>(-1);   // NOLINT(performance-no-int-to-ptr): not opened yet
  std::vector<char> out = Convert(Converter(&kept, "UTF-16LE", "CP932"), bytes, used, kReplacement, 2, 1);
  std::u16string wide(out.size() / 2, u'\0');
  for (std::size_t i = 0; i < wide.size(); ++i) {
    wide[i] = static_cast<char16_t>(static_cast<unsigned char>(out[2 * i]) |
                                    (static_cast<unsigned char>(out[2 * i + 1]) << 8));
  }
  return wide;
}
