// What a desktop does differently from the device: a program folder whose
// name holds a blank, override files written on a Japanese PC, digits typed
// through a Japanese input method.
#include <filesystem>
#include <fstream>

#include "platform/codepage.h"
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"

namespace {

class Desktop : public KarioE2e {};

TEST_F(Desktop, FolderWithABlankAndAShiftJisOverrideFile) {
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
