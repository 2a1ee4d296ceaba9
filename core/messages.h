// Every text the program shows the user, and its title, in one place: the
// window title doubles as the message box title and the single-instance lock.
#pragma once
#include <cstdint>
#include <string>

extern const char16_t kProgramTitle[];       // "カリオSearch"
extern const char16_t kConfirmationTitle[];  // "データ詳細", the result confirmation
extern const char16_t kVersionQuestion[];    // "Ver.<version>\n\n終了しますか？"

// The main window's captions and its button.
extern const char16_t kPointCaptionText[];  // "ポイント：", before the point read from the screen
extern const char16_t kModeCaptionText[];   // "検索モード："
extern const char16_t kTermCaptionText[];   // "検索語句："
extern const char16_t kSearchButtonText[];  // "検索"

extern const char16_t kPointNotSetMessage[];
extern const char16_t kTermTooShortMessage[];
extern const char16_t kTermTooLongMessage[];
extern const char16_t kNoResultMessage[];
extern const char16_t kNothingSelectedMessage[];
extern const char16_t kLineUnreadableMessage[];
extern const char16_t kOutOfJapanMessage[];
extern const char16_t kFetchFailedMessage[];  // "えらー": the answer could not be read or kept

// "検索完了!　%d件" (with the full-width space).
std::u16string CompletionMessage(int count);
// "%d\nインターネットに接続できませんでした" with the platform's error number.
std::u16string ConnectionFailureMessage(uint32_t error);
