#include "platform/message_box_fit.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/utf.h"

namespace {

// Every unit 10 wide (a surrogate pair 20), lines up to 50: five characters.
// Removing every "\r\n" the wrap added gives each text back.
TEST(MessageBoxFit, TextWrapsWhereALineIsFull) {
  const auto tenPerUnit = [](const char16_t*, std::size_t count) { return static_cast<int>(10 * count); };
  const struct {
    std::u16string text, wrapped;
  } cases[] = {
      {u"あいうえお", u"あいうえお"},
      {u"あいうえおかきく", u"あいうえお\r\nかきく"},
      {u"", u""},
      {u"\n\n", u"\n\n"},
      {u"あいうえおか\nき\n", u"あいうえお\r\nか\nき\n"},
      {u"ab cdefg", u"ab \r\ncdefg"},
      {u"あいうえお、か", u"あいうえ\r\nお、か"},
      {u"あいう」」」", u"あい\r\nう」」」"},  // no line starts with a closing mark
      {u"あいうえ\U0002000B", u"あいうえ\r\n\U0002000B"},
      {u"あいう\U0002000Bえ", u"あいう\U0002000B\r\nえ"},
      {u"」」」」」」", u"」\r\n」」」」」"},  // a line of nothing but closing marks still keeps one
      {u"abcdef g", u"abcde\r\nf g"},
      {u"a\nかきくけこ", u"a\nかきくけこ"},
      {u"あいうえおかきくけこさ", u"あいうえお\r\nかきくけこ\r\nさ"},
      {u"あいうえお\r\nか", u"あいうえお\r\nか"},  // a break of the text's own has no width, nor is it split
      {u"あいうえおか\r\nき", u"あいうえお\r\nか\r\nき"},
      // The line after a break is measured from its first character.
      {u"あ\r\nかきくけこさ", u"あ\r\nかきくけこ\r\nさ"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Utf16ToUtf8(WrapMessageText(c.text, tenPerUnit, 50)), Utf16ToUtf8(c.wrapped)) << Utf16ToUtf8(c.text);
  const auto sixty = [](const char16_t*, std::size_t) { return 60; };
  EXPECT_EQ(WrapMessageText(u"ＡＢ", sixty, 50), u"Ａ\r\nＢ");  // wider than a line: one character each
  // A pair at either end of the surrogate ranges is one character of 10, so five fit a line.
  const auto tenEach = [](const char16_t*, std::size_t) { return 10; };
  for (const std::u16string pair : {u"\U00010000", u"\U0010FFFF"})
    EXPECT_EQ(WrapMessageText(u"あいうえ" + pair, tenEach, 50), u"あいうえ" + pair) << static_cast<int>(pair[0]);
}

// The confirmation "データ詳細" (details) as a desktop makes it (frame 6 x 25, three
// buttons 100 wide 19 apart), centred on a window near the left edge.
TEST(MessageBoxFit, BoxesComeInsideTheScreenAndNarrowToIt) {
  const MessageBoxLayout details{
      {-26, 84, 538, 192}, 532, 167, {12, 8, 120, 117}, {{97, 133, 100, 23}, {216, 133, 100, 23}, {335, 133, 100, 23}}};
  EXPECT_EQ(MessageTextWidthLimit(details, {0, 0, 479, 360}), 449);  // 479 - 6 - 2 x 12
  EXPECT_TRUE(MessageBoxNarrows(details, {0, 0, 537, 360}));
  EXPECT_FALSE(MessageBoxNarrows(details, {0, 0, 538, 360}));  // as wide as the screen: only moved
  const MessageBoxLayout tall{{200, -10, 100, 400}, 94, 375, {10, 5, 60, 300}, {{20, 310, 50, 20}}};
  const struct {
    MessageBoxLayout shown;
    ControlBox work;
    int textWidth, textHeight;
    std::string fit;
  } cases[] = {
      // 473 inside: the row (338) keeps its widths and gaps, centred at (473 - 338) / 2; the centre
      // (-26 + 59 / 2 = 3) is moved to the left edge.
      {details, {0, 0, 479, 360}, 120, 117, "0,84 479x192|12,8 120x117|67,133 100x23|186,133 100x23|305,133 100x23"},
      // 234 inside: gaps and margins 19 / 3 = 6, buttons (234 - 2 x 6 - 2 x 6) / 3 = 70; a wrapped text
      // 26 taller moves the row down 26 and the top up 13.
      {details, {0, 0, 240, 320}, 200, 143, "0,71 240x218|12,8 200x143|6,159 70x23|82,159 70x23|158,159 70x23"},
      // 362 inside, exactly the row with its margins (3 x 100 + 2 x 19 + 2 x 12): nothing closes up.
      {details, {0, 0, 368, 360}, 120, 117, "0,84 368x192|12,8 120x117|12,133 100x23|131,133 100x23|250,133 100x23"},
      // 344 inside, short of 362: gaps and margins close to 6, the buttons keep 100, (344 - 312) / 2 = 16.
      {details, {0, 0, 350, 360}, 120, 117, "0,84 350x192|12,8 120x117|16,133 100x23|122,133 100x23|228,133 100x23"},
      // 14 inside, less than the gaps: buttons 1 wide, the row (15) from 0, the box from the top.
      {details, {0, 0, 20, 100}, 2, 117, "0,0 20x192|12,8 2x117|0,133 1x23|7,133 1x23|14,133 1x23"},
      // Narrow enough, only moved in: from the right edge, and its top shown where it is too tall.
      {tall, {0, 0, 240, 320}, 0, 0, "140,0 100x400|10,5 60x300|20,310 50x20"},
  };
  for (const auto& c : cases) {
    const MessageBoxLayout fit = FitMessageBox(c.shown, c.work, c.textWidth, c.textHeight);
    std::vector<ControlBox> parts{fit.box, fit.text};
    parts.insert(parts.end(), fit.buttons.begin(), fit.buttons.end());
    std::string text;
    for (const ControlBox& b : parts)
      text += "|" + std::to_string(b.x) + "," + std::to_string(b.y) + " " + std::to_string(b.width) + "x" +
              std::to_string(b.height);
    EXPECT_EQ(text.substr(1), c.fit) << "on " << c.work.width << "x" << c.work.height;
  }
}

// On a 1920 x 1080 screen above a 40-high task bar: centred on the owner by hand, then moved in.
TEST(MessageBoxFit, BoxesCentreOnTheirOwner) {
  const struct {
    ControlBox box, owner;
    int x, y;
  } cases[] = {
      {{0, 0, 300, 150}, {480, 0, 490, 620}, 575, 235},      // 480 + 190 / 2, 470 / 2
      {{900, 400, 538, 192}, {480, 0, 490, 620}, 456, 214},  // wider than its owner: 480 − 48 / 2
      {{0, 0, 538, 192}, {0, 0, 240, 320}, 0, 64},           // (240 − 538) / 2 is off the left edge
      {{0, 0, 300, 150}, {1700, 900, 220, 140}, 1620, 890},  // 1660 and 895 would run past 1920 and 1040
  };
  for (const auto& c : cases) {
    const ControlBox at = CentredOnOwner(c.box, c.owner, {0, 0, 1920, 1040});
    EXPECT_EQ(std::make_tuple(at.x, at.y, at.width, at.height), std::make_tuple(c.x, c.y, c.box.width, c.box.height));
  }
}

}  // namespace
