#include "search/phone_host.h"

#include <cstddef>

namespace {

constexpr std::size_t kMaxNameChars = 253;
constexpr std::size_t kMaxLabelChars = 63;

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }
bool IsLetter(char16_t c) { return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z'); }

// Digits only, no leading zero, at most `max`.
bool IsNumberUpTo(const std::u16string& text, unsigned long max) {
  if (text.empty() || (text.size() > 1 && text[0] == u'0')) return false;
  unsigned long value = 0;
  for (char16_t c : text) {
    // Stopping once past `max` keeps any number of digits from wrapping.
    if (!IsDigit(c) || (value = value * 10 + static_cast<unsigned long>(c - u'0')) > max) return false;
  }
  return true;
}

bool IsLabel(const std::u16string& label) {
  if (label.empty() || label.size() > kMaxLabelChars || label.front() == u'-' || label.back() == u'-') return false;
  for (char16_t c : label)
    if (!IsLetter(c) && !IsDigit(c) && c != u'-') return false;
  return true;
}

bool IsHostName(const std::u16string& name) {
  if (name.empty() || name.size() > kMaxNameChars) return false;
  int labels = 0;
  bool allNumeric = true, octetsFit = true;
  for (std::size_t start = 0;; ++labels) {
    const std::size_t dot = name.find(u'.', start);
    const std::u16string label = name.substr(start, dot == std::u16string::npos ? std::u16string::npos : dot - start);
    if (!IsLabel(label)) return false;
    bool numeric = true;
    for (char16_t c : label) numeric = numeric && IsDigit(c);
    allNumeric = allNumeric && numeric;
    octetsFit = octetsFit && IsNumberUpTo(label, 255);
    if (dot == std::u16string::npos) break;
    start = dot + 1;
  }
  ++labels;
  return !allNumeric || (labels == 4 && octetsFit);
}

}  // namespace

bool PhoneSearchHostUsable(const std::u16string& host) {
  const std::size_t colon = host.find(u':');
  if (colon == std::u16string::npos) return IsHostName(host);
  const std::u16string port = host.substr(colon + 1);
  // A port of 0 is no port a service listens on.
  return IsHostName(host.substr(0, colon)) && IsNumberUpTo(port, 65535) && port != u"0";
}
