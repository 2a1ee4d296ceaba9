// What the program finds on the device at start-up, seen through what it
// shows: the folder label (map data folder), the search modes and categories
// (a QLCode database found on the storage card), and which installed map
// application "そのまま起動" starts.
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class ShellDiscovery : public KarioE2e {};

TEST_F(ShellDiscovery, StartUpFindsTheMapDataFolderTheCardsDatabaseAndTheNewestMapApplication) {
  ASSERT_TRUE(SetRegistryString(HKEY_CURRENT_USER, kMapAppKey, L"MNAMV8", L"\\SD\\Varnelle\\Data\\tessara.dat"));
  ASSERT_TRUE(SetRegistryString(HKEY_LOCAL_MACHINE, L"System\\StorageManager\\Profiles\\SDMemory", L"Folder", L"SD"));
  ASSERT_TRUE(WriteTextFile(L"C:\\SD\\Varnelle\\Map\\qlcode_v2.qldb", "db"));
  const std::wstring onCard = L"C:\\SD\\Program Files\\Varnelle\\TessaraMobile9.exe";
  ASSERT_TRUE(InstallStandin(onCard));
  ASSERT_TRUE(InstallStandin(L"C:\\Program Files\\Varnelle\\TessaraMobile11.exe"));
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  EXPECT_EQ(Narrow(WindowText(Control(IDC_FOLDER_LABEL))), "\\SD\\Varnelle\\Data\\Map\\");
  EXPECT_EQ(ComboItems(Control(IDC_MODE_COMBO)).size(), 6u);
  EXPECT_EQ(ComboItems(Control(IDC_CATEGORY_COMBO)).size(), 7u) << "not the list of a version 2 database";
  PostCommand(main_, IDM_START_AS_IS);
  EXPECT_EQ(WaitForStart(0).size(), 4u) << "the device's version 11 did not start";
  EXPECT_TRUE(StandinLog(onCard.substr(0, onCard.rfind(L'\\'))).empty()) << "the card's version 9 started";
}

}  // namespace
