#include "dialog/coordinate_dialog_win.h"

#include <string>

#include "core/environment.h"
#include "dialog/axis_fields.h"
#include "dialog/button_layout.h"
#include "dialog/milliseconds_field.h"
#include "dialog/typed_point.h"
#include "platform/fullscreen_dialog_win.h"
#include "platform/utf.h"
#include "resources/resource_ids.h"

namespace {

// Full screen, title-bar done button, input panel lowered.
constexpr DWORD kCoordinateDialogFlags = kFullScreenDoneButton | kFullScreenLowerInputPanel | kFullScreenNoMenuBar;

// Handles of the open dialog's controls; all null while it is closed.
HWND g_axisFields[2][kAxisFieldCount] = {};
HWND g_datumWgs84Button = nullptr;
HWND g_datumTokyoButton = nullptr;
HWND g_dialogOkButton = nullptr;
HWND g_dialogCancelButton = nullptr;

std::u16string FieldText(HWND field, size_t capacity) {
  std::wstring buffer(capacity, L'\0');
  GetWindowTextW(field, &buffer[0], static_cast<int>(capacity));
  return FromWide(buffer.c_str());
}

void KeepControlHandles(HWND dialog) {
  for (int axis = 0; axis < 2; ++axis) {
    for (int slot = 0; slot < kAxisFieldCount; ++slot)
      g_axisFields[axis][slot] = GetDlgItem(dialog, kAxisFieldIds[axis][slot]);
  }
  g_datumWgs84Button = GetDlgItem(dialog, IDC_DATUM_WGS84);
  g_datumTokyoButton = GetDlgItem(dialog, IDC_DATUM_TOKYO);
  g_dialogOkButton = GetDlgItem(dialog, IDOK);
  g_dialogCancelButton = GetDlgItem(dialog, IDCANCEL);
}

void ForgetControlHandles() {
  for (auto& axis : g_axisFields) {
    for (HWND& field : axis) field = nullptr;
  }
  g_datumWgs84Button = g_datumTokyoButton = g_dialogOkButton = g_dialogCancelButton = nullptr;
}

INT_PTR InitCoordinateDialog(HWND dialog) {
  InitFullScreenDialog(dialog, kCoordinateDialogFlags);
  KeepControlHandles(dialog);
  // The fields come from the template empty, so only the datum needs setting.
  CheckRadioButton(dialog, IDC_DATUM_WGS84, IDC_DATUM_TOKYO, IDC_DATUM_WGS84);
  LayoutDialogButtons();
  return TRUE;  // the platform puts the focus into the first field
}

// Only the ms fields count; the degree fields have already filled them in.
void OnCoordinateDialogOk() {
  StartAtTypedPoint(FieldText(g_axisFields[kAxisLongitude][kMillisecondsSlot], kMillisecondsFieldChars + 1),
                    FieldText(g_axisFields[kAxisLatitude][kMillisecondsSlot], kMillisecondsFieldChars + 1),
                    SendMessageW(g_datumWgs84Button, BM_GETCHECK, 0, 0) == BST_CHECKED);
}

INT_PTR OnCoordinateDialogCommand(HWND dialog, int id) {
  // The notification code does not matter: any notification of a degree
  // field (a change of text, a change of focus) brings its ms field up to date.
  const int axis = AxisOfDegreeField(id);
  if (axis >= 0) {
    UpdateMillisecondsField(axis);
    return FALSE;
  }
  if (id == IDCANCEL) {
    EndDialog(dialog, IDCANCEL);
    return TRUE;
  }
  if (id == IDOK) {
    OnCoordinateDialogOk();  // the dialog stays open whatever happened
    return TRUE;
  }
  return FALSE;
}

}  // namespace

INT_PTR CALLBACK CoordinateDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      return InitCoordinateDialog(dialog);
    case WM_SIZE:
      LayoutDialogButtons();
      return TRUE;
    case WM_COMMAND:
      return OnCoordinateDialogCommand(dialog, LOWORD(wParam));
    case WM_DESTROY:
      // Handles of a closed dialog must not be used, nor reach a later window
      // that happens to get the same handle value.
      ForgetControlHandles();
      return FALSE;
  }
  return FALSE;
}

int UpdateMillisecondsField(int axis) {
  HWND* fields = g_axisFields[AxisRow(axis)];
  constexpr int kCapacity = kDegreeFieldChars + 1;
  MillisecondsField field =
      ComputeMillisecondsField(axis, FieldText(fields[0], kCapacity), FieldText(fields[1], kCapacity),
                               FieldText(fields[2], kCapacity), FieldText(fields[3], kCapacity));
  if (field.write && fields[kMillisecondsSlot]) SetWindowTextW(fields[kMillisecondsSlot], AsWide(field.text));
  return field.reported;
}

void LayoutDialogButtons() {
  // Before the handles are known (the dialog is sized while it initialises)
  // there is nothing to move.
  if (!g_dialogOkButton || !g_dialogCancelButton) return;
  // The shape of the area the dialog covers decides: the screen on a
  // handheld, the program's device-sized window on a desktop.
  RECT covered;
  GetWindowRect(GetParent(g_dialogOkButton), &covered);
  DialogButtonLayout layout =
      ChooseDialogButtonLayout(covered.right - covered.left, covered.bottom - covered.top, g_environment.displayScale);
  MoveWindow(g_dialogOkButton, layout.ok.x, layout.ok.y, layout.ok.width, layout.ok.height, TRUE);
  MoveWindow(g_dialogCancelButton, layout.cancel.x, layout.cancel.y, layout.cancel.width, layout.cancel.height, TRUE);
}
