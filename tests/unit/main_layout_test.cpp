// The main window's layout, its controls' places and the menu bar it rests on.
#include "shell/main_layout.h"

#include <gtest/gtest.h>

#include <optional>
#include <tuple>
#include <utility>

#include "platform/menu_bar.h"
#include "resources/resource_ids.h"
#include "shell/device_window.h"

static auto Tie(const ControlBox& b) { return std::make_tuple(b.x, b.y, b.width, b.height); }

// Worked by hand from the window's numbers: the bar is 26·s high at the
// bottom; the folder label's top is 42·s above the bottom (bar 26, gap 1,
// label 15), the list box's bottom 44·s (2 more), so the list, from 85·s
// down, is bottom − 129·s high and 10·s narrower than the client.
TEST(LayoutMainWindow, BarAtTheBottomLabelAboveItListInTheMiddle) {
  const struct {
    int width, height, scale;
    ControlBox list, label, bar;
  } cases[] = {
      {240, 294, 1, {5, 85, 230, 165}, {0, 252, 240, 15}, {0, 268, 240, 26}},    // 294−129, 294−42, 294−26
      {480, 588, 2, {10, 170, 460, 330}, {0, 504, 480, 30}, {0, 536, 480, 52}},  // 588−258, 588−84, 588−52
      {320, 216, 1, {5, 85, 310, 87}, {0, 174, 320, 15}, {0, 190, 320, 26}},     // landscape
  };
  for (const auto& c : cases) {
    const MainLayout l = LayoutMainWindow(c.width, c.height, c.scale);
    EXPECT_EQ(std::make_tuple(Tie(l.resultList), Tie(l.folderLabel), Tie(l.menuBar)),
              std::make_tuple(Tie(c.list), Tie(c.label), Tie(c.bar)))
        << c.width << "x" << c.height;
  }
}

// Screens at the scale their width gives (under 480: 1).  A framed device needs more than 480 x 320 at
// scale 1, so only a screen over 960 wide with a work area over 640 high at scale 2 gets one; its client
// area is 240 x (320 − 26) per scale, where the layout above puts the label at its created 252.
TEST(DeviceWindow, OnlyAScreenLargerThanAnyHandheldHoldsADeviceInAFrame) {
  const struct {
    int width, height;
    bool framed;
    int taskbar = 0;  // the height the work area lacks
  } screens[] = {{240, 320, false}, {320, 240, false},  {479, 360, false},     {480, 640, false},  {640, 480, false},
                 {800, 480, false}, {960, 1080, false}, {961, 640, false},     {1024, 600, false}, {961, 641, true},
                 {1024, 768, true}, {1920, 1080, true}, {1024, 660, false, 40}};
  for (const auto& s : screens)
    EXPECT_EQ(ScreenHoldsDeviceWindow(s.width, {0, 0, s.width, s.height - s.taskbar}, s.width < 480 ? 1 : 2), s.framed)
        << s.width << "x" << s.height;
  EXPECT_EQ(std::make_pair(Tie(DeviceClientArea(1)), Tie(DeviceClientArea(2))),
            std::make_pair(std::make_tuple(0, 0, 240, 294), std::make_tuple(0, 0, 480, 588)));
}

// A framed window 490 x 620 where the system put it, on a 1920 x 1080 screen whose work area ends above a
// 40-high task bar (inset: also 50 in from the top and the left): beside the map, right first, its top level
// with the map's and kept in the work area.
TEST(DeviceWindow, OpensBesideTheMapWhereThereIsRoom) {
  const ControlBox full{0, 0, 1920, 1040}, inset{50, 50, 1870, 990};
  const struct {
    ControlBox map, work;
    std::optional<std::pair<int, int>> at;
  } cases[] = {
      {{0, 0, 480, 640}, full, {{480, 0}}},             // a device's map at the corner
      {{1440, 0, 480, 640}, full, {{950, 0}}},          // at the right edge: left of it, 1440 − 490
      {{0, 100, 1430, 640}, full, {{1430, 100}}},       // exactly room on the right, 1920 − 1430 = 490
      {{0, 100, 1431, 640}, full, std::nullopt},        // one pixel short on either side
      {{0, 800, 480, 640}, full, {{480, 420}}},         // low: up into the work area, 1040 − 620
      {{-32000, -32000, 160, 28}, full, std::nullopt},  // minimized
      {{50, 0, 480, 640}, inset, {{530, 50}}},          // down to the work area's top
      {{1920, 0, 480, 640}, full, std::nullopt},        // on the screen to the right
  };
  for (const auto& c : cases) {
    const std::optional<ControlBox> at = PlaceBesideMap({30, 20, 490, 620}, c.map, c.work);
    EXPECT_EQ(at ? std::optional(std::pair(at->x, at->y)) : std::nullopt, c.at) << c.map.x << "," << c.map.y;
  }
}

// The places as a person sees them, not the table again: every box at scale 2 is its scale-1 box doubled and lies
// above the bar of a 240 x 294 client; captions stand at the left edge on their field's row, as high as the field and
// left of it; the term's edit and the category box share one place, 検索 right of it, the list below; the list keeps 5
// pixels from either side and the folder label spans the width.  An id of no control has no place.
TEST(ControlBoxAtCreation, RowsOfCaptionAndFieldAboveTheListTimesTheScale) {
  const int ids[] = {IDC_POINT_CAPTION, IDC_POINT_LABEL,    IDC_MODE_CAPTION,  IDC_MODE_COMBO,   IDC_TERM_CAPTION,
                     IDC_SEARCH_EDIT,   IDC_CATEGORY_COMBO, IDC_SEARCH_BUTTON, IDC_FOLDER_LABEL, IDC_RESULT_LIST};
  for (int id : ids) {
    const ControlBox b = ControlBoxAtCreation(id, 1);
    EXPECT_EQ(Tie(ControlBoxAtCreation(id, 2)), std::make_tuple(2 * b.x, 2 * b.y, 2 * b.width, 2 * b.height)) << id;
    EXPECT_LE(b.x + b.width, 240) << id;
    EXPECT_LE(b.y + b.height, 268) << id;
  }
  auto box = [](int id) { return ControlBoxAtCreation(id, 1); };
  for (auto [caption, field] : {std::pair{IDC_POINT_CAPTION, IDC_POINT_LABEL}, {IDC_TERM_CAPTION, IDC_SEARCH_EDIT}}) {
    EXPECT_EQ(std::make_tuple(box(caption).x, box(caption).y, box(caption).height),
              std::make_tuple(5, box(field).y, box(field).height))
        << caption;
    EXPECT_LE(box(caption).x + box(caption).width, box(field).x) << caption << " runs into its field";
  }
  EXPECT_LE(box(IDC_SEARCH_EDIT).y + box(IDC_SEARCH_EDIT).height, box(IDC_RESULT_LIST).y);
  const ControlBox edit = box(IDC_SEARCH_EDIT), category = box(IDC_CATEGORY_COMBO), button = box(IDC_SEARCH_BUTTON);
  EXPECT_EQ(std::make_tuple(category.x, category.y, category.width), std::make_tuple(edit.x, edit.y, edit.width));
  EXPECT_EQ(std::make_pair(button.y, button.height), std::make_pair(edit.y, edit.height));
  EXPECT_GT(button.x, edit.x + edit.width);
  // The mode box and 検索 end where the list does, 5 pixels from the edge.
  for (int id : {IDC_MODE_COMBO, IDC_SEARCH_BUTTON}) EXPECT_EQ(box(id).x + box(id).width, 235) << id;
  EXPECT_EQ(std::make_pair(box(IDC_RESULT_LIST).x, box(IDC_RESULT_LIST).width), std::make_pair(5, 230));
  EXPECT_EQ(std::make_pair(box(IDC_FOLDER_LABEL).x, box(IDC_FOLDER_LABEL).width), std::make_pair(0, 240));
  EXPECT_EQ(Tie(ControlBoxAtCreation(1001, 1)), std::make_tuple(0, 0, 0, 0));
}

// A bar 241 wide: the left button takes half rounded down (120), the right
// the other 121.  The first popup hangs right from the left button's left
// edge, the second left from the right button's right edge; both above.
TEST(MenuBar, ButtonsShareTheBarAndPopupsOpenFromTheOuterEdges) {
  EXPECT_EQ(std::make_pair(Tie(MenuBarButtonBox(0, 241, 26)), Tie(MenuBarButtonBox(1, 241, 26))),
            std::make_pair(std::make_tuple(0, 0, 120, 26), std::make_tuple(120, 0, 121, 26)));
  for (auto [i, left, right, x, rightAligned] : {std::tuple{0, 10, 130, 10, false}, {1, 130, 251, 251, true}}) {
    const PopupAnchor at = MenuBarPopupAnchor(i, left, 268, right);
    EXPECT_EQ(std::make_tuple(at.x, at.y, at.rightAligned), std::make_tuple(x, 268, rightAligned)) << i;
    EXPECT_EQ(MenuBarButtonFor(i) ? MenuBarButtonFor(i)->popupIndex : -1, i);
  }
  EXPECT_EQ(MenuBarButtonFor(-1), nullptr);
  EXPECT_EQ(MenuBarButtonFor(2), nullptr);
}
