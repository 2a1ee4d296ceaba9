// The longest list a mesh file gives: every line there, in the list box's order, once the search says it is done.
#include "resources/resource_ids.h"
#include "tests/e2e/e2e_support.h"
#include "tools/full_list/full_list.h"

namespace {

std::u16string LineAt(HWND list, int index) {
  std::u16string line(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, index, 0)) + 1, u'\0');
  line.resize(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(&line[0]))));
  return line;
}

class FullListE2e : public KarioE2e {};

TEST_F(FullListE2e, EveryLineOfTheLongestListIsShownInOrder) {
  const FullList expected = BuildFullList(503171490, 128439920);  // the point read from the stand-in
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, kMapAppKey, L"MNAMV8", REG_SZ, kFullListData,
                            static_cast<DWORD>(sizeof(wchar_t) * (wcslen(kFullListData) + 1))),
            ERROR_SUCCESS);
  ASSERT_TRUE(WriteTextFile(kFullListFile, expected.file));
  ASSERT_NO_FATAL_FAILURE(StartWithPointRead());
  TypeTerm(kFullListTerm);  // 広域図検索
  SearchExpecting({L"検索完了!\u3000" + std::to_wstring(expected.lines.size()) + L"件"});
  HWND list = Control(IDC_RESULT_LIST);
  ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), static_cast<LRESULT>(expected.lines.size()));
  // Reading every line across processes takes long; a prime step meets lines of every distance and column.
  const int last = static_cast<int>(expected.lines.size()) - 1;
  for (int i = 0; i < last; i += 211) ASSERT_EQ(LineAt(list, i), expected.lines[static_cast<std::size_t>(i)]) << i;
  EXPECT_EQ(LineAt(list, last), expected.lines.back());
}

}  // namespace
