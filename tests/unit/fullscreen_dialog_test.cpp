#include "platform/fullscreen_dialog.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

using P = TitleBarPart;

// A client area from (0, 26), 240 wide, under a caption 26 high: the bar is
// y 0..25 across the width; the button ends 2 inside the bar (x 238, y 24)
// and is 2 · 26 wide (x 186 = 240 − 52 − 2) from y 2; the text starts at x 4.
TEST(TitleBar, GeometryWhereAPointFallsAndTheDoneButtonsPressAndRelease) {
  const TitleBar t = LayOutTitleBar(0, 26, 240, 26, kFullScreenDoneButton | kFullScreenNoMenuBar);
  auto tie = [](const BarRect& r) { return std::make_tuple(r.left, r.top, r.right, r.bottom); };
  EXPECT_EQ(std::make_tuple(tie(t.bar), tie(t.text), tie(t.doneButton)),
            std::make_tuple(std::make_tuple(0, 0, 240, 26), std::make_tuple(4, 0, 240, 26),
                            std::make_tuple(186, 2, 238, 24)));
  const struct {
    int x, y;
    P part;
  } cases[] = {
      {100, 10, P::kBar},    {186, 2, P::kDoneButton}, {237, 23, P::kDoneButton},
      {238, 10, P::kBar},    {185, 10, P::kBar},       {200, 1, P::kBar},
      {10, 26, P::kOutside}, {240, 10, P::kOutside},   {-1, 10, P::kOutside},
  };
  const TitleBar plain = LayOutTitleBar(0, 26, 240, 26, kFullScreenNoMenuBar);  // no button: all bar
  for (const auto& c : cases) {
    EXPECT_EQ(TitleBarPartAt(t, c.x, c.y), c.part) << c.x << "," << c.y;
    EXPECT_EQ(TitleBarPartAt(plain, c.x, c.y), c.part == P::kDoneButton ? P::kBar : c.part) << c.x << "," << c.y;
  }
  EXPECT_EQ(std::make_pair(ClientTopBelowTitleBar(0, 300, 26), ClientTopBelowTitleBar(0, 20, 26)),
            std::make_pair(26, 20));
  // A framed owner (with a system menu, 0x00080000 in the platform's headers) keeps its place or moves
  // inside the work area (y 728 − 617); an owner without one, or none, gets the work area.
  const ControlBox work{0, 0, 1024, 728}, inside{300, 20, 486, 617}, over{-50, 700, 486, 617};
  auto at = [&](const ControlBox* owner, uint32_t style) {
    auto b = FullScreenDialogArea(work, owner, style);
    return std::make_tuple(b.x, b.y, b.width, b.height);
  };
  const uint32_t framed = 0x10000000 | 0x00C00000 | 0x00080000;  // visible, caption, system menu
  EXPECT_EQ(std::make_tuple(at(&inside, framed), at(&over, framed), at(nullptr, framed)),
            std::make_tuple(std::make_tuple(300, 20, 486, 617), std::make_tuple(0, 111, 486, 617),
                            std::make_tuple(0, 0, 1024, 728)));
  EXPECT_EQ(at(&inside, framed & ~0x00080000u), std::make_tuple(0, 0, 1024, 728));
  EXPECT_EQ(std::wstring(ShownTitle(L"", L"owner")) + ShownTitle(L"own", L"owner") + ShownTitle(L"A", L"owner"),
            L"ownerownA");
  // The done button acts like a push button: done only when pressed on it and released over it.
  DoneButtonState s;
  EXPECT_EQ(std::make_pair(PressTitleBar(s, P::kOutside), PressTitleBar(s, P::kBar)),
            std::make_pair(PressOutcome::kPassOn, PressOutcome::kIgnored));
  EXPECT_EQ(ReleaseTitleBar(s, P::kDoneButton), ReleaseOutcome::kPassOn) << "released without a press";
  EXPECT_EQ(PressTitleBar(s, P::kDoneButton), PressOutcome::kPressed);
  EXPECT_EQ(ReleaseTitleBar(s, P::kBar), ReleaseOutcome::kReleased);
  EXPECT_EQ(ReleaseTitleBar(s, P::kDoneButton), ReleaseOutcome::kPassOn) << "released twice";
  PressTitleBar(s, P::kDoneButton);
  EXPECT_TRUE(s.pressing);
  EXPECT_EQ(ReleaseTitleBar(s, P::kDoneButton), ReleaseOutcome::kDone);
  PressTitleBar(s, P::kDoneButton);
  LoseCapture(s);
  EXPECT_EQ(ReleaseTitleBar(s, P::kDoneButton), ReleaseOutcome::kPassOn) << "the capture was lost";
}
