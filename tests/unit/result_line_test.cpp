#include <gtest/gtest.h>

#include "shell/messages.h"
#include "shell/result_line.h"
#include "shell/search_modes.h"
#include "platform/utf.h"

namespace {

std::string Joined(const std::vector<std::u16string>& pieces) {
  std::string out;
  for (const auto& p : pieces) out += "<" + Utf16ToUtf8(p) + ">";
  return out;
}

TEST(SplitResultLine, SkipsEmptyPiecesAndSplitsAtLineFeeds) {
  struct Case { const char16_t* line; const char* pieces; } cases[] = {
    {u"   2km,Name, ,503171492,128439921, ", "<   2km><Name>< ><503171492><128439921>< >"},
    {u"   3km,,[123],503000000,128000000,温泉", "<   3km><[123]><503000000><128000000><温泉>"},
    {u"  12km,新\n宿,[5339.tgx],1,2,△ ", "<  12km><新><宿><[5339.tgx]><1><2><△ >"},
    {u",,,", ""},
    {u"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(Joined(SplitResultLine(c.line)), c.pieces) << Utf16ToUtf8(c.line);
}

TEST(ReadCoordinatePiece, AcceptsOnlyWholeThirtyTwoBitIntegers) {
  struct Case { const char16_t* text; bool ok; int32_t value; } cases[] = {
    {u"503171492", true, 503171492},   {u"  -36147", true, -36147},
    {u"+12", true, 12},                {u"-2147483648", true, INT32_MIN},
    {u"2147483647", true, INT32_MAX},  {u"2147483648", false, 0},
    {u"-2147483649", false, 0},        {u"123456789012", false, 0},
    {u"12a", false, 0},                {u"", false, 0},
    {u" ", false, 0},                  {u"-", false, 0},
    {u"△ ", false, 0},                 {u"00000000001", true, 1},
  };
  for (const auto& c : cases) {
    int32_t v = 0;
    EXPECT_EQ(ReadCoordinatePiece(c.text, &v), c.ok) << Utf16ToUtf8(c.text);
    if (c.ok) EXPECT_EQ(v, c.value) << Utf16ToUtf8(c.text);
  }
}

TEST(FindLineCoordinates, FindsThePairAfterTheCodeWhateverTheNameHolds) {
  struct Case { const char16_t* line; bool found; int32_t lon, lat; } cases[] = {
    // The three writers' formats.
    {u"   2km,Name, ,503171492,128439921, ", true, 503171492, 128439921},
    {u"   3km,足湯,[123],503000000,128000000,温泉", true, 503000000, 128000000},
    {u"  12km,厚木市,[5339.tgx],502200000,128400000,  ", true, 502200000, 128400000},
    // An empty name leaves five pieces.
    {u"   3km,,[123],503000000,128000000,温泉", true, 503000000, 128000000},
    {u"   3km,, ,503000000,128000000, ", true, 503000000, 128000000},
    // Commas and line feeds inside the name.
    {u"   5km,A,B,C,[533946],503325000,128550000,△ ", true, 503325000, 128550000},
    {u"   5km,1,2,[533946],503325000,128550000,  ", true, 503325000, 128550000},
    // Ambiguous or broken: nothing is started.
    {u"   5km,x,[1],2,3,[4],5,6", false, 0, 0},
    {u"   5km,x,[1],5033250001234,128550000, ", false, 0, 0},
    {u"   5km,x,[1],503325000", false, 0, 0},
    {u"", false, 0, 0},
  };
  for (const auto& c : cases) {
    LineCoordinates got = FindLineCoordinates(SplitResultLine(c.line));
    EXPECT_EQ(got.found, c.found) << Utf16ToUtf8(c.line);
    EXPECT_EQ(got.lon, c.lon) << Utf16ToUtf8(c.line);
    EXPECT_EQ(got.lat, c.lat) << Utf16ToUtf8(c.line);
  }
}

TEST(BuildConfirmationText, ShowsTheFirstSixPiecesOnePerLine) {
  auto text = BuildConfirmationText(SplitResultLine(u"   2km,Name, ,503171492,128439921, "));
  EXPECT_EQ(Utf16ToUtf8(text),
            "選択地点を表示します\n\n   2km\nName\n \n503171492\n128439921\n \n目的地に設定しますか?\n");
  auto seven = BuildConfirmationText(SplitResultLine(u"1,2,3,4,5,6,7"));
  EXPECT_EQ(Utf16ToUtf8(seven), "選択地点を表示します\n\n1\n2\n3\n4\n5\n6\n目的地に設定しますか?\n");
}

TEST(BuildConfirmationText, CutsLongTextButKeepsTheQuestion) {
  std::u16string longName(400, u'名');
  auto text = BuildConfirmationText(SplitResultLine(u"   2km," + longName + u", ,1,2, "));
  EXPECT_EQ(text.size(), kConfirmationTextMax);
  const std::u16string question = u"目的地に設定しますか?\n";
  EXPECT_EQ(text.substr(text.size() - question.size()), question);
  EXPECT_NE(text.find(u"…\n"), std::u16string::npos);
}

TEST(SearchModes, MapTypesLevelsAndMessages) {
  const int types[] = {10, 8, 5, 1, 10, 10};
  for (int mode = 0; mode < 6; ++mode) EXPECT_EQ(MapTypeForMode(mode), types[mode]) << mode;
  EXPECT_EQ(MeshLevelForMode(0, 10), MeshLevel::L);
  EXPECT_EQ(MeshLevelForMode(1, 10), MeshLevel::M);
  EXPECT_EQ(MeshLevelForMode(2, 10), MeshLevel::R);
  EXPECT_EQ(MeshLevelForMode(3, 0), MeshLevel::SQuartered);
  EXPECT_EQ(MeshLevelForMode(3, 9), MeshLevel::SQuartered);
  EXPECT_EQ(MeshLevelForMode(3, 10), MeshLevel::SFine);
  EXPECT_EQ(MeshLevelForMode(3, 11), MeshLevel::SFine);
  EXPECT_EQ(Utf16ToUtf8(CardMapFolder(u"SD")), "\\SD\\Varnelle\\Map\\");
  EXPECT_EQ(Utf16ToUtf8(CompletionMessage(12)), "検索完了!\u300012件");
}

}  // namespace
