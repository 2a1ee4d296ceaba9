// The program as a whole: a second copy that brings the first to the front
// instead of running, and what a desktop does differently from the device
// (a program folder whose name holds a blank, an override file written on a
// Japanese PC).
#include <filesystem>
#include <fstream>

#include "platform/codepage.h"
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class ShellTest : public KarioE2e {};

TEST_F(ShellTest, SecondCopyBringsTheFirstToTheFrontAndEndsItself) {
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail());
  HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 100, 100, nullptr,
                               nullptr, nullptr, nullptr);
  SetForegroundWindow(other);
  ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }));
  PROCESS_INFORMATION second{};
  ASSERT_TRUE(StartProcess(kInstalledProgram, L"", &second));
  EXPECT_EQ(WaitForExit(second, 20000), 0) << "second copy's exit code (-1: still running)";
  CloseProcess(&second);
  EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == main_; }))
      << "foreground is " << Narrow(WindowText(GetForegroundWindow()));
  EXPECT_EQ(FindWindowExW(nullptr, main_, L"KRSEARCH", nullptr), nullptr) << "a second main window";
  DestroyWindow(other);
}

TEST_F(ShellTest, DesktopFolderWithABlankAndAShiftJisOverrideFile) {
  const std::wstring folder = L"C:\\Kario Test\\";
  ASSERT_TRUE(CopyFileTo(WinePathOf(KARIO_EXE_PATH), folder + L"kariosearch.exe"));
  ASSERT_TRUE(CopyFileTo(WinePathOf(KARIO_TOOL_fake_iexplore), folder + L"iexplore.exe"));
  ASSERT_TRUE(WriteTextFile(folder + L"mappath.txt", WideToCodePage932(u"\\地図データ\\") + "\r\n"));
  ASSERT_NO_FATAL_FAILURE(StartKarioOrFail(folder + L"kariosearch.exe"));
  EXPECT_EQ(Narrow(WindowText(Control(IDC_FOLDER_LABEL))), "\\地図データ\\");
  PostCommand(main_, IDM_MANUAL);
  std::string log;
  auto read = [&] { return std::getline(std::ifstream(std::filesystem::path(folder + L"browser_log.txt")), log) && !log.empty(); };
  EXPECT_TRUE(WaitUntil(read));
  EXPECT_EQ(log, "\"C:\\Kario Test\\iexplore.exe\" \"C:\\Kario Test\\kariosearch.htm\"");
}

}  // namespace
