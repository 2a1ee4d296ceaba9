#include <windows.h>

#include "platform/message_box.h"
#include "platform/utf.h"
#include "shell/main_window.h"
#include "shell/messages.h"

namespace {

// The modal dialog, when one is open, is this thread's active window; the
// main window otherwise.
HWND MessageOwner() {
  HWND active = GetActiveWindow();
  return active ? active : g_mainWindow;
}

}  // namespace

void ShowMessage(const std::u16string& text) { MessageBoxW(MessageOwner(), AsWide(text), AsWide(kProgramTitle), MB_OK); }

bool AskYesNo(const std::u16string& text) {
  return MessageBoxW(MessageOwner(), AsWide(text), AsWide(kProgramTitle), MB_YESNO) == IDYES;
}

int AskYesNoCancel(const std::u16string& text, const std::u16string& title) {
  switch (MessageBoxW(MessageOwner(), AsWide(text), AsWide(title), MB_YESNOCANCEL)) {
    case IDYES: return kAnswerYes;
    case IDNO: return kAnswerNo;
    default: return kAnswerCancel;
  }
}
