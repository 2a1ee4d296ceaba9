// The built program's own resources, read from its file as the system reads them: a copy of the resource script's
// text would pass whatever the build put into the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

// The handheld scales a program's windows unless it carries "HI_RES_AWARE" of type "CEUX" holding the 16-bit 1; the
// program applies its own display scale, so the system must not scale it as well.
TEST(ProgramResources, TheProgramSaysItIsHighResolutionAware) {
  std::string path = KARIO_EXE_PATH;
  for (char& c : path)
    if (c == '/') c = '\\';
  HMODULE program = LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr) << path << " not loaded, error " << GetLastError();
  HRSRC entry = FindResourceW(program, L"HI_RES_AWARE", L"CEUX");
  ASSERT_NE(entry, nullptr) << "no HI_RES_AWARE of type CEUX in " << path;
  const DWORD size = SizeofResource(program, entry);
  const void* bytes = LockResource(LoadResource(program, entry));
  ASSERT_NE(bytes, nullptr);
  ASSERT_EQ(size, 2u);
  uint16_t value = 0;
  std::memcpy(&value, bytes, sizeof value);
  EXPECT_EQ(value, 1);
  FreeLibrary(program);
}

}  // namespace
