// Message boxes, owned by the window the user is working in (the main
// window, or the coordinate dialog while it is open).  The Windows side is
// message_box_win.cpp, told the main window by MessageBoxAttach
// (message_box_win.h); unit tests put a recording fake in its place.
#pragma once
#include <string>

constexpr int kAnswerYes = 1;
constexpr int kAnswerNo = 2;
constexpr int kAnswerCancel = 3;

// Titled "カリオSearch", with an OK button.
void ShowMessage(const std::u16string& text);
// Titled "カリオSearch", Yes and No; true for Yes.
bool AskYesNo(const std::u16string& text);
// Yes, No and Cancel; kAnswerYes, kAnswerNo or kAnswerCancel (closing the
// box counts as Cancel).
int AskYesNoCancel(const std::u16string& text, const std::u16string& title);
