#include <windows.h>

#include "core/environment.h"
#include "core/messages.h"
#include "platform/message_box.h"
#include "platform/message_box_fit_win.h"
#include "platform/utf.h"
#include "shell/device_window.h"
#include "shell/main_window.h"

namespace {

// The main window, or the modal dialog that disabled it while it is open.
HWND MessageOwner() {
  if (g_mainWindow && !IsWindowEnabled(g_mainWindow)) return GetLastActivePopup(g_mainWindow);
  return g_mainWindow;
}

// On a screen larger than a device's the framed window is small and the
// screen large: a box goes over the window it speaks for.
bool OverOwner() {
  return ScreenHoldsDeviceWindow(GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                 g_environment.displayScale);
}

}  // namespace

void ShowMessage(const std::u16string& text) {
  ShowFittedMessageBox(MessageOwner(), AsWide(text), AsWide(kProgramTitle), MB_OK, OverOwner());
}

bool AskYesNo(const std::u16string& text) {
  return ShowFittedMessageBox(MessageOwner(), AsWide(text), AsWide(kProgramTitle), MB_YESNO, OverOwner()) == IDYES;
}

int AskYesNoCancel(const std::u16string& text, const std::u16string& title) {
  switch (ShowFittedMessageBox(MessageOwner(), AsWide(text), AsWide(title), MB_YESNOCANCEL, OverOwner())) {
    case IDYES:
      return kAnswerYes;
    case IDNO:
      return kAnswerNo;
    default:
      return kAnswerCancel;
  }
}
