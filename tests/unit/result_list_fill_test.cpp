// The Windows result list holds a search's lines back and fills the list box at once: the list must come out as the
// sorted list box makes it when it is given the lines one at a time.
#ifdef _WIN32
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "platform/result_list.h"
#include "platform/utf.h"

namespace {

// Lines whose order under the system's comparison is not that of their code units: kana of both kinds, full-width
// and half-width letters, case, hyphens and apostrophes (left out at the first level of a word sort), the marks ー and
// 々 (which Wine's comparison passes over and its sort keys do not), the mark of a recovered position, blanks before
// the distance's digits, one line the prefix of another, and a line twice.  Two pairs of lines differ only where the
// comparison sees no difference, in those marks and in case: the list box puts the later of a pair first.
const std::u16string kLines[] = {
    u"  12km,ア,[5339.tgx],502231625,128400125,  ",
    u"  12km,あ,[5339.tgx],502231625,128400125,  ",
    u"  12km,あい,[5339.tgx],502231625,128400125,  ",
    u"  12km,アア,[5339.tgx],502231625,128400125,  ",
    u"   3km,ＡＢ,[1],1,1,温泉",
    u"   3km,AB,[1],1,1,温泉",
    u"   3km,Ｂ,[1],1,1,温泉",
    u"   3km,co-op,[1],1,1,",
    u"   3km,coop,[1],1,1,",
    u"   3km,co'p,[1],1,1,",
    u"   3km,東京,[53394615.tgx],503184375,128456250,△ ",
    u"   3km,東京,[53394615.tgx],503184375,128456250,  ",
    u" 123km,東京都,[5339.tgx],1,2,  ",
    u"1234km,x",
    u"1234km,x,",
    u"  12km,ー,[1],1,2, ",
    u"  12km,ー,[2],1,1, ",
    u"  12km,々,[2],1,1, ",
    u"  12km,ー,[3],1,1,a",
    u"  12km,々,[3],1,1,A",
    u"  12km,々,[1],1,1, ",
    u"  12km,(仮),[1],1,1, ",
    u"  12km,あ,[5339.tgx],502231625,128400125,  ",
    u"   0km,Ｚ, ,503171492,128439921, ",
};

// What a sorted list box of the program's style makes of `lines` added one by one.
std::vector<std::u16string> AddedOneByOne(const std::vector<std::u16string>& lines) {
  HWND box = CreateWindowExW(0, L"LISTBOX", nullptr, WS_POPUP | LBS_SORT, 0, 0, 100, 100, nullptr, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  for (const std::u16string& line : lines) SendMessageW(box, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(AsWide(line)));
  std::vector<std::u16string> listed;
  for (int i = 0; i < SendMessageW(box, LB_GETCOUNT, 0, 0); ++i) {
    wchar_t text[256] = {};
    SendMessageW(box, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    listed.push_back(FromWide(text));
  }
  DestroyWindow(box);
  return listed;
}

TEST(ResultListFill, OrderOfTheListBoxWhateverOrderTheLinesCome) {
  std::vector<std::u16string> lines(std::begin(kLines), std::end(kLines));
  for (int arrival = 0; arrival < 3; ++arrival) {
    if (arrival == 1) std::reverse(lines.begin(), lines.end());
    if (arrival == 2) std::rotate(lines.begin(), lines.begin() + 7, lines.end());
    ResultListClear();
    for (const std::u16string& line : lines) ResultListAdd(line);
    EXPECT_EQ(ResultListCount(), static_cast<int>(lines.size()));
    EXPECT_EQ(ResultListLines(), AddedOneByOne(lines)) << "arrival " << arrival;
  }
  // Lines added after the list was shown join it in their places.
  ResultListClear();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    ResultListAdd(lines[i]);
    if (i == lines.size() / 2) ResultListShow();
  }
  EXPECT_EQ(ResultListLines(), AddedOneByOne(lines));
  ResultListClear();
  EXPECT_EQ(ResultListCount(), 0);
}

}  // namespace
#endif
