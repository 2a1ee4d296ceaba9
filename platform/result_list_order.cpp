#include "platform/result_list.h"

#include <algorithm>
#include <tuple>

namespace {
char16_t Fold(char16_t c) {
  if (c >= u'a' && c <= u'z') return static_cast<char16_t>(c - u'a' + u'A');
  if (c >= 0xFF41 && c <= 0xFF5A) return static_cast<char16_t>(c - 0xFF41 + 0xFF21);
  return c;
}
}  // namespace

bool ResultLineBefore(const std::u16string& a, const std::u16string& b) {
  // Equal units fold alike, so the folded lines can first differ only where
  // the lines themselves do: skip to each such unit instead of folding both
  // lines' whole common start (the distance and much of the name), which
  // made the ordering cost more than the scan on a search with many hits.
  auto at = a.begin();
  auto bt = b.begin();
  for (;;) {
    std::tie(at, bt) = std::mismatch(at, a.end(), bt, b.end());
    if (at == a.end() || bt == b.end()) return at == a.end() && bt != b.end();
    if (Fold(*at) != Fold(*bt)) return Fold(*at) < Fold(*bt);
    ++at, ++bt;
  }
}
