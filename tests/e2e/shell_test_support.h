// Shared by the shell's end-to-end tests: the program's controls by id, and
// a fixture that resets the device and ends the program after each test.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/e2e_support.h"

std::string Narrow(const std::wstring& text);
// "(left,top)-(right,bottom)" for failure messages.
std::string RectText(const RECT& r);
RECT ClientOf(HWND w);
// The menu bar that stands in for the handheld's soft-key bar.
HWND MenuBarOf(HWND mainWindow);
// Selects `index` in the search-mode combo box and tells the main window that
// its list closed, as a person choosing a mode does.
void ChooseSearchMode(HWND mainWindow, int index);

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetDevice(); }
  void TearDown() override { KillProgram(&kario_); }
  // Starts the program; the test fails (fatally) when its window does not come.
  void StartKarioOrFail();
  HWND Control(int id) const { return GetDlgItem(kario_.mainWindow, id); }
  DWORD KarioThread() const { return GetWindowThreadProcessId(kario_.mainWindow, nullptr); }
  RunningProgram kario_;
};
