#include <gtest/gtest.h>

#include <cstdio>

#include "core/result_line.h"
#include "platform/result_list.h"
#include "platform/utf.h"
#include "shell/search_modes.h"
#include "tests/unit/test_support.h"

namespace {

TEST(SplitResultLine, SkipsEmptyPiecesAndSplitsAtLineFeeds) {
  const struct {
    const char16_t* line;
    const char* pieces;
  } cases[] = {
      {u"   3km,,[123],503000000,128000000,温泉", "<   3km><[123]><503000000><128000000><温泉>"},
      {u"  12km,新\n宿,[5339.tgx],1,2,△ ", "<  12km><新><宿><[5339.tgx]><1><2><△ >"},
      {u",,,", ""},
      {u"", ""},
  };
  for (const auto& c : cases) {
    std::string joined;
    for (const auto& p : SplitResultLine(c.line)) joined += "<" + Utf16ToUtf8(p) + ">";
    EXPECT_EQ(joined, c.pieces) << Utf16ToUtf8(c.line);
  }
}

TEST(ReadCoordinatePiece, AcceptsOnlyWholeThirtyTwoBitIntegers) {
  const struct {
    const char16_t* text;
    bool ok;
    int32_t value;
  } cases[] = {
      {u"503171492", true, 503171492},
      {u"   -2147483647", true, -2147483647},
      {u"+12", true, 12},
      {u"-2147483648", true, INT32_MIN},
      {u"2147483647", true, INT32_MAX},
      {u"2147483648", false, 0},
      {u"-2147483649", false, 0},
      {u"12a", false, 0},
      {u"", false, 0},
      {u"△ ", false, 0},
      {u"00000000001", true, 1},
  };
  for (const auto& c : cases) {
    int32_t v = 0;
    const bool ok = ReadCoordinatePiece(c.text, &v);
    EXPECT_EQ(std::make_pair(ok, v), std::make_pair(c.ok, c.value)) << Utf16ToUtf8(c.text);
  }
}

// The pair right after the code piece, whatever the name holds; an ambiguous
// or broken line gives none, so nothing is started at a wrong point.
TEST(FindLineCoordinates, FindsThePairAfterTheCodeWhateverTheNameHolds) {
  const struct {
    const char16_t* line;
    bool found;
    int32_t lon, lat;
  } cases[] = {
      {u"   2km,Name, ,503171492,128439921, ", true, 503171492, 128439921},
      {u"   3km,足湯,[123],503000000,128000000,温泉", true, 503000000, 128000000},
      {u"   3km,, ,503000000,128000000, ", true, 503000000, 128000000},
      {u"   5km,A,B,C,[533946],503325000,128550000,△ ", true, 503325000, 128550000},
      {u"   5km,1,2,[533946],503325000,128550000,  ", true, 503325000, 128550000},
      {u"   5km,x,[1],2,3,[4],5,6", false, 0, 0},
      {u"[1],2,3,x,[4],5,6", true, 5, 6},  // the first piece is the distance
      {u"   5km,x,[1],5033250001234,128550000, ", false, 0, 0},
      {u"   5km,x,[1],503325000", false, 0, 0},
      {u"", false, 0, 0},
      {u"   5km,ab,1,2, ", false, 0, 0},
      {u"   5km,x,[],1,2, ", true, 1, 2},
  };
  for (const auto& c : cases) {
    const LineCoordinates got = FindLineCoordinates(SplitResultLine(c.line));
    EXPECT_EQ(std::make_tuple(got.found, got.lon, got.lat), std::make_tuple(c.found, c.lon, c.lat))
        << Utf16ToUtf8(c.line);
  }
}

TEST(BuildConfirmationText, ShowsTheFirstSixPiecesAndCutsLongTextButKeepsTheQuestion) {
  const std::u16string text =
      BuildConfirmationText(SplitResultLine(u"   2km," + std::u16string(400, u'名') + u", ,1,2, "));
  EXPECT_EQ(text.size(), kConfirmationTextMax);
  EXPECT_EQ(Utf16ToUtf8(text.substr(text.size() - 14)), "…\n目的地に設定しますか?\n");
  for (auto [line, shown] :
       {std::pair{u"   2km,,[1],5,6", "   2km\n[1]\n5\n6\n"}, {u"   2km,a,[1],5,6,b,c", "   2km\na\n[1]\n5\n6\nb\n"}})
    EXPECT_EQ(Utf16ToUtf8(BuildConfirmationText(SplitResultLine(line))),
              "選択地点を表示します\n\n" + std::string(shown) + "目的地に設定しますか?\n");
}

TEST(SearchModes, SLevelFollowsTheMapApplicationVersion) {
  EXPECT_EQ(std::make_tuple(MeshLevelForMode(2, 10), MeshLevelForMode(3, 9), MeshLevelForMode(3, 10)),
            std::make_tuple(MeshLevel::R, MeshLevel::SQuartered, MeshLevel::SFine));
  EXPECT_EQ(std::make_pair(SearchModeOrDefault(-1), SearchModeOrDefault(6)), std::make_pair(0, 0));
}

// The distance field is "%4.fkm," cut to 63 characters: halves round to
// even, as printf rounds the binary value (0.49999999999999994 is below a
// half); printf itself gives the rest.
TEST(DistanceField, PrintsAsPrintf) {
  const std::pair<double, const char*> worked[] = {{0.0, "   0km,"},       {0.5, "   0km,"},
                                                   {1.5, "   2km,"},       {2.5, "   2km,"},
                                                   {9999.5, "10000km,"},   {0.49999999999999994, "   0km,"},
                                                   {123456.7, "123457km,"}};
  for (auto [km, field] : worked) EXPECT_EQ(field, Utf16ToUtf8(DistanceField(km))) << km;
  for (double km : {1e22, 1e60, 1.7976931348623157e308, 4503599627370495.5, 2.675}) {
    char printed[64];
    (void)std::snprintf(printed, sizeof printed, "%4.fkm,", km);
    EXPECT_EQ(printed, Utf16ToUtf8(DistanceField(km))) << km;
  }
}

// The distance comes first, printed "%4.f": blanks before the digits keep the
// nearest line first, in the native list and in the real list box alike.
TEST(ResultList, KeepsNearestFirstAndFoldsCase) {
  ResultListClear();
  // Lines equal but for case stay in the order they came, as in the list box.
  for (const char16_t* line :
       {u"1234km,d", u"   3km,a", u" 123km,c", u"  12km,b", u"   3km,B", u"   3km,A", u"   3km,a"})
    ResultListAdd(line);
  EXPECT_EQ(ResultLinesUtf8(), (std::vector<std::string>{"   3km,a", "   3km,A", "   3km,a", "   3km,B", "  12km,b",
                                                         " 123km,c", "1234km,d"}));
  ResultListClear();
  // Worked by hand from the code points with lower case folded to upper: a prefix first; a case-only difference
  // decides nothing, a later real one does; '[' (5B) and '`' (60) lie after the folded letters (41-5A); full-width
  // ａ (FF41) folds to Ａ (FF21), before Ｂ (FF22).
  const struct {
    const char16_t *a, *b;
    bool before;
  } pairs[] = {{u"", u"a", true},    {u"a", u"", false},    {u"a", u"A", false},  {u"A", u"a", false},
               {u"a", u"ab", true},  {u"aB", u"Ab", false}, {u"aB", u"ac", true}, {u"Ab", u"aC", true},
               {u"z", u"[", true},   {u"[", u"Z", false},   {u"`", u"z", false},  {u"ｚ", u"Ｂ", false},
               {u"ａ", u"Ｂ", true}, {u"ｂ", u"Ａ", false}, {u"z", u"ａ", true}};
  for (const auto& p : pairs)
    EXPECT_EQ(ResultLineBefore(p.a, p.b), p.before) << Utf16ToUtf8(p.a) << " before " << Utf16ToUtf8(p.b);
}

}  // namespace
