#include "platform/fullscreen_dialog.h"

namespace {

constexpr int kTextMargin = 4;
constexpr int kButtonInset = 2;

bool Holds(const BarRect& r, int x, int y) { return x >= r.left && x < r.right && y >= r.top && y < r.bottom; }

}  // namespace

TitleBar LayOutTitleBar(int clientX, int clientY, int clientWidth, int captionHeight, unsigned flags) {
  const BarRect bar{clientX, clientY - captionHeight, clientX + clientWidth, clientY};
  const BarRect text{bar.left + kTextMargin, bar.top, bar.right, bar.bottom};
  const BarRect button{bar.right - 2 * captionHeight - kButtonInset, bar.top + kButtonInset, bar.right - kButtonInset,
                       bar.bottom - kButtonInset};
  return {bar, text, button, (flags & kFullScreenDoneButton) != 0};
}

int ClientTopBelowTitleBar(int top, int bottom, int captionHeight) {
  const int below = top + captionHeight;
  return below > bottom ? bottom : below;
}

TitleBarPart TitleBarPartAt(const TitleBar& titleBar, int x, int y) {
  if (!Holds(titleBar.bar, x, y)) return TitleBarPart::kOutside;
  if (titleBar.hasDoneButton && Holds(titleBar.doneButton, x, y)) return TitleBarPart::kDoneButton;
  return TitleBarPart::kBar;
}

PressOutcome PressTitleBar(DoneButtonState& state, TitleBarPart part) {
  switch (part) {
    case TitleBarPart::kOutside:
      return PressOutcome::kPassOn;
    case TitleBarPart::kBar:
      return PressOutcome::kIgnored;
    case TitleBarPart::kDoneButton:
      state.pressing = true;
      return PressOutcome::kPressed;
  }
  return PressOutcome::kPassOn;
}

ReleaseOutcome ReleaseTitleBar(DoneButtonState& state, TitleBarPart part) {
  if (!state.pressing) return ReleaseOutcome::kPassOn;
  state.pressing = false;
  return part == TitleBarPart::kDoneButton ? ReleaseOutcome::kDone : ReleaseOutcome::kReleased;
}

void LoseCapture(DoneButtonState& state) { state.pressing = false; }

ControlBox FullScreenDialogArea(const ControlBox& workArea, const ControlBox* owner, uint32_t ownerStyle) {
  const bool framed = owner && (ownerStyle & kSystemMenuStyle) != 0;
  return framed ? MovedInside(*owner, workArea) : workArea;
}

const wchar_t* ShownTitle(const wchar_t* own, const wchar_t* owners) { return own[0] ? own : owners; }
