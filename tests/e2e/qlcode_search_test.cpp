// The QLCode search of the main window in this process: the database path of
// the environment and the category combo box's selection deciding 11 or 51 km.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "maplink/reference_point.h"
#include "platform/codepage.h"
#include "platform/result_list_win.h"
#include "resources/resource_ids.h"
#include "search/qlcode_search.h"
#include "shell/environment.h"
#include "tests/e2e/e2e_support.h"
#include "tools/qlcode_writer/qlcode_writer.h"

namespace {

const wchar_t kDatabase[] = L"C:\\qlcode_search_test.qldb";

class QLCodeWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    savedEnvironment_ = g_environment;
    g_referenceLongitude = 503000000;
    g_referenceLatitude = 128000000;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    main_ = CreateWindowExW(0, L"STATIC", L"main", WS_OVERLAPPEDWINDOW, 0, 0, 240, 320, nullptr, nullptr,
                            instance, nullptr);
    list_ = CreateWindowExW(0, L"LISTBOX", nullptr, WS_CHILD | LBS_SORT | LBS_HASSTRINGS, 0, 0, 200, 200,
                            main_, reinterpret_cast<HMENU>(IDC_RESULT_LIST), instance, nullptr);
    combo_ = CreateWindowExW(0, L"COMBOBOX", nullptr, WS_CHILD | CBS_DROPDOWN, 0, 0, 100, 150, main_,
                             reinterpret_cast<HMENU>(IDC_CATEGORY_COMBO), instance, nullptr);
    ASSERT_TRUE(list_ && combo_);
    SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"温泉"));
    ResultListAttach(list_);

    // One hot spring 20 km east, one 60 km east.
    QLCodeRecord nearby, distant;
    nearby.code = 1;
    nearby.lon = 503000000 + 20 * 40865;
    nearby.lat = 128000000;
    nearby.name = WideToCodePage932(u"近い湯");
    nearby.info = WideToCodePage932(u"温泉");
    distant = nearby;
    distant.code = 2;
    distant.lon = 503000000 + 60 * 40865;
    distant.name = WideToCodePage932(u"遠い湯");
    std::string bytes, error;
    ASSERT_TRUE(BuildQLCodeDatabase({nearby, distant}, 2, bytes, error)) << error;
    ASSERT_TRUE(WriteTextFile(kDatabase, bytes));
    g_environment.qlcodePath = u"C:\\qlcode_search_test.qldb";
  }
  void TearDown() override {
    ResultListAttach(nullptr);
    DestroyWindow(main_);
    DeleteFileW(kDatabase);
    g_environment = savedEnvironment_;
  }

  Environment savedEnvironment_;
  HWND main_ = nullptr, list_ = nullptr, combo_ = nullptr;
};

TEST_F(QLCodeWindowTest, SelectedCategorySearchesNarrowly) {
  SendMessageW(combo_, CB_SETCURSEL, 0, 0);
  EXPECT_EQ(SearchQLCode(u"温泉"), 0);  // 20 km is outside 11 km
  EXPECT_TRUE(ListItems(list_).empty());
}

TEST_F(QLCodeWindowTest, TypedTextSearchesWidely) {
  SendMessageW(combo_, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
  EXPECT_EQ(SearchQLCode(u"温泉"), 1);
  EXPECT_EQ(ListItems(list_), std::vector<std::wstring>{L"  20km,近い湯,[1],503817300,128000000,温泉"});
}

TEST_F(QLCodeWindowTest, MissingDatabaseEmptiesTheList) {
  SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(L"old"));
  g_environment.qlcodePath.clear();
  EXPECT_EQ(SearchQLCode(u"温泉"), 0);
  EXPECT_TRUE(ListItems(list_).empty());
}

}  // namespace
