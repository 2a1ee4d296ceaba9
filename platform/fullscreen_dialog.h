// The title bar that the full-screen dialog layer (fullscreen_dialog_win.h)
// draws above a dialog, apart from its window: where the bar, its text and
// its done button lie, which part a point falls on, and the done button's
// press and release, which act like a push button's.
#pragma once
#include <cstdint>

#include "platform/control_box.h"

constexpr unsigned kFullScreenDoneButton = 0x01;       // title-bar button that sends IDOK
constexpr unsigned kFullScreenLowerInputPanel = 0x08;  // hide the input panel (nothing to do on a desktop)
constexpr unsigned kFullScreenNoMenuBar = 0x10;        // keep no room for a menu bar below

// [left, right) x [top, bottom), in whatever coordinates the client origin
// was given in.
struct BarRect {
  int left, top, right, bottom;
};
struct TitleBar {
  BarRect bar;         // the strip of one caption height right above the client area
  BarRect text;        // where the title is written: the bar less a small margin on the left
  BarRect doneButton;  // at the bar's right end, twice as wide as high, 2 pixels inside the bar
  bool hasDoneButton;  // kFullScreenDoneButton was asked for
};
// The title bar of a dialog whose client area starts at (clientX, clientY)
// and is `clientWidth` wide; `flags` as given to the layer.
TitleBar LayOutTitleBar(int clientX, int clientY, int clientWidth, int captionHeight, unsigned flags);
// The client area's top once the bar is taken from the frame: never below
// its bottom, so that a window too low for the bar has an empty client area.
int ClientTopBelowTitleBar(int top, int bottom, int captionHeight);

enum class TitleBarPart { kOutside, kBar, kDoneButton };
// The part of `titleBar` at (x, y); the done button only when there is one.
TitleBarPart TitleBarPartAt(const TitleBar& titleBar, int x, int y);

// The done button acts like a push button: it is pressed when the mouse goes
// down on it, and done when the mouse comes up over it again.
struct DoneButtonState {
  bool pressing = false;  // the mouse went down on it and is captured
};
enum class PressOutcome {
  kPassOn,   // not the bar: the platform handles the click
  kIgnored,  // the bar: taken, nothing happens (the dialog neither moves nor shows a menu)
  kPressed,  // the done button: capture the mouse and draw the button pushed
};
PressOutcome PressTitleBar(DoneButtonState& state, TitleBarPart part);
enum class ReleaseOutcome {
  kPassOn,    // nothing was pressed
  kReleased,  // released elsewhere: let go of the mouse, nothing is done
  kDone,      // released over the done button: let go and send OK
};
ReleaseOutcome ReleaseTitleBar(DoneButtonState& state, TitleBarPart part);
// The capture went elsewhere (the platform took it, or the release let go).
void LoseCapture(DoneButtonState& state);

// The window style bit of a system menu (WS_SYSMENU): a device's screen in
// a frame has one, a handheld's full-screen window never.
constexpr uint32_t kSystemMenuStyle = 0x00080000;

// The part of the screen the dialog covers: the work area, as its owner
// does on a handheld; or, when the owner is a device's screen in a frame on
// a desktop (its style has kSystemMenuStyle), the owner's window, moved
// inside the work area, so that the desktop around it stays in view as it
// does around the owner.  `owner` is null when there is none or its place
// is unknown.
ControlBox FullScreenDialogArea(const ControlBox& workArea, const ControlBox* owner, uint32_t ownerStyle);

// What the bar shows: the dialog's own title, or its owner's when the dialog
// has none (the coordinate dialog has none and shows the program's name).
const wchar_t* ShownTitle(const wchar_t* own, const wchar_t* owners);
