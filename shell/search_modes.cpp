#include "shell/search_modes.h"

#include <cstdio>

const char16_t kPointNotSetMessage[] =
    u"ポイントが設定されていません\r\nテッサラを起動させてポイントを設定して下さい";
const char16_t kTermTooShortMessage[] = u"検索語句を入力して下さい\n(2文字以上)";
// The map data scan compares at most 31 bytes of Shift-JIS (15 kanji or kana).
const char16_t kTermTooLongMessage[] = u"検索語句が長すぎます\n(全角15文字まで)";
const char16_t kNoResultMessage[] = u"検索結果なし!\n他の検索モードで検索してみてください";
const char16_t kNothingSelectedMessage[] = u"選択されていません";
// A line whose longitude and latitude cannot be told apart from its name.
const char16_t kLineUnreadableMessage[] = u"この検索結果からは経緯度を読み取れません";

bool IsMapDataMode(int mode) { return mode >= kModeLevelL && mode <= kModeLevelS; }

MeshLevel MeshLevelForMode(int mode, int mapApplicationVersion) {
  switch (mode) {
    case kModeLevelL: return MeshLevel::L;
    case kModeLevelM: return MeshLevel::M;
    case kModeLevelR: return MeshLevel::R;
    default: return SLayoutFor(mapApplicationVersion);
  }
}

int MapTypeForMode(int mode) {
  static const int kTypes[] = {10, 8, 5, 1, 10, 10};
  return (mode >= 0 && mode <= 5) ? kTypes[mode] : 10;
}

std::u16string CardMapFolder(const std::u16string& storageCardName) {
  return u"\\" + storageCardName + u"\\Varnelle\\Map\\";
}

std::u16string CompletionMessage(int count) {
  char digits[16];
  std::snprintf(digits, sizeof digits, "%d", count);
  std::u16string text = u"検索完了!\u3000";
  for (const char* d = digits; *d; ++d) text.push_back(static_cast<char16_t>(*d));
  return text + u"件";
}
