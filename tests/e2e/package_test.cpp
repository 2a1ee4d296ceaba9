// The package as a person unpacks it onto a fresh device: the files beside
// the program, which starts from there and ends through its version question.
// Left out of the ordinary runs; tests/package_test.sh unpacks the package
// and sets KARIO_UNPACKED_EXE to the program's path.
#include <cstdlib>
#include <cstring>

#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

TEST(Package, DISABLED_UnpackedProgramStartsAndEndsThroughTheVersionQuestion) {
  const char* exe = std::getenv("KARIO_UNPACKED_EXE");
  ASSERT_NE(exe, nullptr) << "KARIO_UNPACKED_EXE is not set";
  std::wstring path(exe, exe + std::strlen(exe)), folder = path.substr(0, path.rfind(L'\\') + 1);
  for (const wchar_t* file : {L"kariosearch.htm", L"readme-ja.txt", L"LICENSE"})
    EXPECT_NE(GetFileAttributesW((folder + file).c_str()), INVALID_FILE_ATTRIBUTES) << Narrow(file) << " is not beside the program";
  PROCESS_INFORMATION process{};
  ASSERT_TRUE(StartProcess(path, L"", &process)) << exe;
  HWND window = nullptr;
  auto isMain = [](HWND w) { return ClassNameOf(w) == L"KRSEARCH" && GetDlgItem(w, IDC_RESULT_LIST); };
  ASSERT_TRUE(WaitUntil([&] { return (window = FindTopWindow(isMain, process.dwProcessId)) != nullptr; }, 20000))
      << "no main window; exit code " << WaitForExit(process, 0);
  PostCommand(window, IDM_VERSION_EXIT);
  MessageBoxSeen box = WaitForMessageBox(process.dwProcessId, L"カリオSearch");
  EXPECT_EQ(Narrow(box.text).substr(0, 4 + std::strlen(KARIO_VERSION)), "Ver." KARIO_VERSION);
  ASSERT_TRUE(PressMessageBoxButton(box, IDYES)) << "no version question";
  EXPECT_EQ(WaitForExit(process, 10000), 0) << "exit code after Yes (-1: still running)";
}
