#include <windows.h>

#include "core/messages.h"
#include "platform/message_box.h"
#include "platform/message_box_fit_win.h"
#include "platform/utf.h"
#include "shell/main_window.h"

namespace {

// The main window, or the modal dialog that disabled it while it is open.
HWND MessageOwner() {
  if (g_mainWindow && !IsWindowEnabled(g_mainWindow)) return GetLastActivePopup(g_mainWindow);
  return g_mainWindow;
}

}  // namespace

void ShowMessage(const std::u16string& text) {
  ShowFittedMessageBox(MessageOwner(), AsWide(text), AsWide(kProgramTitle), MB_OK);
}

bool AskYesNo(const std::u16string& text) {
  return ShowFittedMessageBox(MessageOwner(), AsWide(text), AsWide(kProgramTitle), MB_YESNO) == IDYES;
}

int AskYesNoCancel(const std::u16string& text, const std::u16string& title) {
  switch (ShowFittedMessageBox(MessageOwner(), AsWide(text), AsWide(title), MB_YESNOCANCEL)) {
    case IDYES:
      return kAnswerYes;
    case IDNO:
      return kAnswerNo;
    default:
      return kAnswerCancel;
  }
}
