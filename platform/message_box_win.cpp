#include "platform/message_box_win.h"

#include "platform/message_box.h"
#include "platform/message_box_fit_win.h"
#include "platform/utf.h"

namespace {

HWND g_mainWindowOwner = nullptr;
const wchar_t* g_programTitle = L"";

// The main window, or the modal dialog that disabled it while it is open.
HWND MessageOwner() {
  if (g_mainWindowOwner && !IsWindowEnabled(g_mainWindowOwner)) return GetLastActivePopup(g_mainWindowOwner);
  return g_mainWindowOwner;
}

// On a screen larger than a device's the framed window is small and the
// screen large: a box goes over the window it speaks for.
bool g_overOwner = false;
bool OverOwner() { return g_overOwner; }

}  // namespace

void MessageBoxesOverOwner(bool over) { g_overOwner = over; }

void MessageBoxAttach(HWND mainWindow, const wchar_t* programTitle) {
  g_mainWindowOwner = mainWindow;
  g_programTitle = programTitle;
}

void ShowMessage(const std::u16string& text) {
  ShowFittedMessageBox(MessageOwner(), AsWide(text), g_programTitle, MB_OK, OverOwner());
}

bool AskYesNo(const std::u16string& text) {
  return ShowFittedMessageBox(MessageOwner(), AsWide(text), g_programTitle, MB_YESNO, OverOwner()) == IDYES;
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
