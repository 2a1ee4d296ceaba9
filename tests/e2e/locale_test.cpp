// The device speaks Japanese: the buttons of the confirmation, which the
// system draws, read はい, いいえ and キャンセル.  Other tests press buttons by
// their ids and pass in any locale.
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tools/mapdata_writer/mapdata_writer.h"

class Locale : public KarioE2e {};

TEST_F(Locale, ConfirmationButtonsAreJapanese) {
  std::string error;
  ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, L"System\\StorageManager\\Profiles\\SDMemory", L"Folder", L"SD"));
  ASSERT_TRUE(WriteMapDataFolder("C:\\SD\\Varnelle\\Map", {{u"東京", 502901689, 128470591}}, {}, error)) << error;
  ASSERT_TRUE(InstallStandin());
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  ASSERT_TRUE(StartStandin(L"/M_LON=503171492 /M_LAT=128439921 /M_ANGLE=0 /M_TYPE=12"));
  ASSERT_TRUE(WaitUntil([&] { return !WindowText(Control(IDC_POINT_LABEL)).empty(); }, 15000)) << "no point read";
  ChooseSearchMode(kario_.mainWindow, 0);
  SendMessageW(Control(IDC_SEARCH_EDIT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"東京"));
  PostCommand(kario_.mainWindow, IDC_SEARCH_BUTTON, BN_CLICKED, Control(IDC_SEARCH_BUTTON));
  ASSERT_TRUE(PressMessageBoxButton(WaitForMessageBox(Pid(), L"カリオSearch", 30000), IDOK));
  SendMessageW(Control(IDC_RESULT_LIST), LB_SETCURSEL, 0, 0);
  PostCommand(kario_.mainWindow, IDC_RESULT_LIST, LBN_DBLCLK, Control(IDC_RESULT_LIST));
  MessageBoxSeen box = WaitForMessageBox(Pid(), L"データ詳細");
  EXPECT_EQ(box.buttons, (std::vector<std::wstring>{L"はい(&Y)", L"いいえ(&N)", L"キャンセル"}));
  EXPECT_TRUE(PressMessageBoxButton(box, IDCANCEL));
}
