// What the program finds on the device at start-up, seen through what it
// shows: the folder label (map data folder), the search modes (a QLCode
// database found), the category list (its version), and which installed map
// application "そのまま起動" starts.
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

const wchar_t* const kSdProfile = L"System\\StorageManager\\Profiles\\SDMemory";

std::string Utf16LeWithBom(const std::wstring& text) {
  std::string bytes = "\xFF\xFE";
  for (wchar_t c : text) {
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>((c >> 8) & 0xFF));
  }
  return bytes;
}

class ShellDiscovery : public KarioE2e {
 protected:
  std::wstring FolderLabel() { return WindowText(Control(IDC_FOLDER_LABEL)); }
  size_t ModeCount() { return ComboItems(Control(IDC_MODE_COMBO)).size(); }
  void UseCard(const wchar_t* name) { SetRegistryString(HKEY_LOCAL_MACHINE, kSdProfile, L"Folder", name); }
};

TEST_F(ShellDiscovery, FolderLabelShowsTheMapDataFolder) {
  const struct {
    const char* name;
    const wchar_t* mnamv8;  // null: value missing
    std::string mappath;    // empty: no file; else its bytes
    std::wstring expected;
  } cases[] = {
      {"from MNAMV8", L"\\SD\\Varnelle\\Data\\tessara.dat", "", L"\\SD\\Varnelle\\Data\\Map\\"},
      {"no MNAMV8", nullptr, "", L""},
      {"MNAMV8 without backslash", L"tessara.dat", "", L""},
      {"mappath.txt with more lines", L"\\A\\B\\C", "\\SD\\Data\\Map\\\nsecond\nthird\n", L"\\SD\\Data\\Map\\"},
      {"mappath.txt with CR LF and BOM", L"\\A\\B\\C", "\xEF\xBB\xBF\\SD\\Data\\Map\\\r\nx\r\n", L"\\SD\\Data\\Map\\"},
      {"mappath.txt with empty first line keeps MNAMV8", L"\\A\\B\\C", "\n\\SD\\Data\\Map\\\n", L"\\A\\B\\Map\\"},
      {"UTF-16 mappath.txt with a Japanese folder", nullptr, Utf16LeWithBom(L"\\内部ストレージ\\地図\\Map\\\r\n"),
       L"\\内部ストレージ\\地図\\Map\\"},
  };
  for (const auto& c : cases) {
    ResetDevice();
    if (c.mnamv8) SetRegistryString(HKEY_CURRENT_USER, kMapAppKey, L"MNAMV8", c.mnamv8);
    if (!c.mappath.empty()) ASSERT_TRUE(WriteTextFile(std::wstring(kInstalledFolder) + L"\\mappath.txt", c.mappath));
    ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
    EXPECT_EQ(Narrow(FolderLabel()), Narrow(c.expected)) << c.name;
    KillProgram(&kario_);
  }
}

TEST_F(ShellDiscovery, QLCodeDatabasesTheirPrecedenceAndTheStorageCardFallback) {
  const std::wstring folder = L"C:\\SD\\Data\\Map\\";  // from MNAMV8 below
  const std::wstring card = L"C:\\SD\\Varnelle\\Map\\";
  // Found only when the storage card name fell back to the internal storage.
  const std::wstring internal = L"C:\\内部ストレージ\\Varnelle\\Map\\qlcode.qldb";
  const struct {
    const char* name;
    const wchar_t* cardName;  // the profile's folder value; null: no profile key
    bool cardExists;
    std::vector<std::wstring> files;
    size_t modes, categories;
  } cases[] = {
      {"none", L"SD", true, {}, 5, 10},
      {"folder version 1", L"SD", true, {folder + L"qlcode.qldb"}, 6, 10},
      {"card version 1", L"SD", true, {card + L"qlcode.qldb"}, 6, 10},
      {"folder version 2 alone", L"SD", true, {folder + L"qlcode_v2.qldb"}, 6, 7},
      {"both versions in the folder: 2", L"SD", true, {folder + L"qlcode.qldb", folder + L"qlcode_v2.qldb"}, 6, 7},
      {"card version 2 over folder version 1", L"SD", true, {folder + L"qlcode.qldb", card + L"qlcode_v2.qldb"}, 6, 7},
      {"no profile key: internal storage", nullptr, false, {internal}, 6, 10},
      {"profile names a missing folder: internal storage", L"Storage Card", false, {internal}, 6, 10},
      {"profile names an existing folder", L"Storage Card", true, {internal}, 5, 10},
  };
  for (const auto& c : cases) {
    ResetDevice();
    if (c.cardName) UseCard(c.cardName);
    if (c.cardExists) MakeFolders(std::wstring(L"C:\\") + c.cardName);
    SetRegistryString(HKEY_CURRENT_USER, kMapAppKey, L"MNAMV8", L"\\SD\\Data\\tessara.dat");
    for (const std::wstring& f : c.files) ASSERT_TRUE(WriteTextFile(f, "db"));
    ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
    EXPECT_EQ(ModeCount(), c.modes) << c.name;
    std::vector<std::wstring> categories = ComboItems(Control(IDC_CATEGORY_COMBO));
    EXPECT_EQ(categories.size(), c.categories) << c.name;
    if (c.categories == 7) EXPECT_EQ(Narrow(categories[0]), "イベント") << c.name;
    KillProgram(&kario_);
  }
}

// The stand-in map application logs each start beside its executable, so
// the folder whose log grows tells which candidate the program chose.
bool StartedFrom(const std::wstring& exe) {
  return CountLog(ReadStandinLog(exe.substr(0, exe.rfind(L'\\'))), "start") > 0;
}

TEST_F(ShellDiscovery, MapApplicationOnCardOrDeviceHighestVersionFirst) {
  const std::wstring card = L"C:\\SD\\Program Files\\Varnelle\\";
  const std::wstring device = L"C:\\Program Files\\Varnelle\\";
  const struct { const char* name; std::vector<std::wstring> installed; std::wstring started; } cases[] = {
      {"card 9, device 11: device", {card + L"TessaraMobile9.exe", device + L"TessaraMobile11.exe"},
       device + L"TessaraMobile11.exe"},
      {"10 in both places: card", {card + L"TessaraMobile10.exe", device + L"TessaraMobile10.exe"},
       card + L"TessaraMobile10.exe"},
      {"device 8, card 11: card", {device + L"TessaraMobile8.exe", card + L"TessaraMobile11.exe"},
       card + L"TessaraMobile11.exe"},
  };
  for (const auto& c : cases) {
    ResetDevice();
    UseCard(L"SD");
    for (const std::wstring& exe : c.installed) ASSERT_TRUE(InstallStandin(exe)) << Narrow(exe);
    ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
    PostCommand(kario_.mainWindow, IDM_START_AS_IS);
    EXPECT_TRUE(WaitUntil([&] { return StartedFrom(c.started); }, 20000)) << c.name;
    for (const std::wstring& exe : c.installed) {
      if (exe != c.started) EXPECT_FALSE(StartedFrom(exe)) << c.name << ": also started " << Narrow(exe);
    }
    KillProgram(&kario_);
  }
}

TEST_F(ShellDiscovery, CardNameFileMovesOnlyTheQLCodeCandidates) {
  UseCard(L"SD");
  MakeFolders(L"C:\\SD");
  const std::wstring onSd = L"C:\\SD\\Program Files\\Varnelle\\TessaraMobile9.exe";
  const std::wstring onOther = L"C:\\Storage Card\\Program Files\\Varnelle\\TessaraMobile11.exe";
  ASSERT_TRUE(InstallStandin(onSd));
  ASSERT_TRUE(InstallStandin(onOther));
  ASSERT_TRUE(WriteTextFile(L"C:\\Storage Card\\Varnelle\\Map\\qlcode_v2.qldb", "db"));
  ASSERT_TRUE(WriteTextFile(L"C:\\SD\\Varnelle\\Map\\qlcode.qldb", "db"));
  ASSERT_TRUE(WriteTextFile(std::wstring(kInstalledFolder) + L"\\cardname.txt", "Storage Card\r\nignored\r\n"));
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  // The QLCode candidates use the name from the file: the version 2 database.
  EXPECT_EQ(ModeCount(), 6u);
  EXPECT_EQ(ComboItems(Control(IDC_CATEGORY_COMBO)).size(), 7u);
  // The map application was looked for under the profile's name before.
  PostCommand(kario_.mainWindow, IDM_START_AS_IS);
  EXPECT_TRUE(WaitUntil([&] { return StartedFrom(onSd); }, 20000)) << "the SD card's map application did not start";
  EXPECT_FALSE(StartedFrom(onOther)) << "started the one under the file's card name";
}

}  // namespace
