#include "core/messages.h"

#include "platform/utf.h"

// KARIO_VERSION comes from the project's version in CMake, set there once.

const char16_t kProgramTitle[] = u"カリオSearch";
const char16_t kConfirmationTitle[] = u"データ詳細";
const char16_t kVersionQuestion[] = u"Ver." KARIO_VERSION u"\n\n終了しますか？";

const char16_t kPointCaptionText[] = u"ポイント：";
const char16_t kModeCaptionText[] = u"検索モード：";
const char16_t kTermCaptionText[] = u"検索語句：";
const char16_t kSearchButtonText[] = u"検索";

const char16_t kPointNotSetMessage[] = u"ポイントが設定されていません\r\nテッサラを起動させてポイントを設定して下さい";
const char16_t kTermTooShortMessage[] = u"検索語句を入力して下さい\n(2文字以上)";
// The map data scan compares at most 31 bytes of Shift-JIS (15 kanji or kana).
const char16_t kTermTooLongMessage[] = u"検索語句が長すぎます\n(全角15文字まで)";
const char16_t kNoResultMessage[] = u"検索結果なし!\n他の検索モードで検索してみてください";
const char16_t kNothingSelectedMessage[] = u"選択されていません";
// A line whose longitude and latitude cannot be told apart from its name.
const char16_t kLineUnreadableMessage[] = u"この検索結果からは経緯度を読み取れません";
const char16_t kOutOfJapanMessage[] = u"指定の経緯度値が正しくありません\n日本国内のみ有効です";
const char16_t kFetchFailedMessage[] = u"えらー";

std::u16string CompletionMessage(int count) { return u"検索完了!\u3000" + AsciiToUtf16(std::to_string(count)) + u"件"; }

std::u16string ConnectionFailureMessage(uint32_t error) {
  return AsciiToUtf16(std::to_string(static_cast<int32_t>(error))) + u"\nインターネットに接続できませんでした";
}
