#include "shell/main_layout.h"

#include "platform/menu_bar.h"
#include "resources/resource_ids.h"

namespace {

// At display scale 1, on a screen 240 pixels wide.  The search edit and the
// category combo box share one place (the mode shows one of them); combo box
// heights include their dropped-down list.
struct ControlPlace {
  int id;
  ControlBox box;
};
constexpr ControlPlace kPlaces[] = {
    {IDC_POINT_CAPTION, {5, 10, 60, 20}},  {IDC_POINT_LABEL, {70, 10, 160, 20}},
    {IDC_MODE_CAPTION, {5, 35, 60, 20}},   {IDC_SEARCH_EDIT, {65, 60, 105, 20}},
    {IDC_MODE_COMBO, {65, 35, 170, 100}},  {IDC_CATEGORY_COMBO, {65, 60, 105, 150}},
    {IDC_TERM_CAPTION, {5, 60, 60, 20}},   {IDC_SEARCH_BUTTON, {175, 60, 60, 20}},
    {IDC_FOLDER_LABEL, {0, 252, 240, 15}}, {IDC_RESULT_LIST, {5, 85, 230, 140}},
};

// The folder label stands one pixel (at scale 1) above the menu bar, the
// list box's bottom two above the label.
constexpr int kLabelGap = 1;
constexpr int kListGap = 2;

}  // namespace

ControlBox ControlBoxAtCreation(int controlId, int displayScale) {
  const int s = displayScale;
  for (const ControlPlace& p : kPlaces) {
    if (p.id == controlId) return {p.box.x * s, p.box.y * s, p.box.width * s, p.box.height * s};
  }
  return {0, 0, 0, 0};
}

MainLayout LayoutMainWindow(int clientWidth, int clientHeight, int displayScale) {
  const int s = displayScale;
  const ControlBox bar = MenuBarBox(clientWidth, clientHeight, s);
  // The list keeps its created left edge and top and the same margin on the
  // right; the label keeps its height and spans the width.
  const ControlBox list = ControlBoxAtCreation(IDC_RESULT_LIST, s);
  const int labelHeight = ControlBoxAtCreation(IDC_FOLDER_LABEL, s).height;
  const int labelTop = bar.y - kLabelGap * s - labelHeight;
  const int listBottom = labelTop - kListGap * s;
  return MainLayout{
      {list.x, list.y, clientWidth - 2 * list.x, listBottom - list.y}, {0, labelTop, clientWidth, labelHeight}, bar};
}

int ControlFontHeight(int displayScale) { return -10 * displayScale; }
