// Message boxes shaped as a handheld shows them: inside the screen, the text
// wrapped to the screen's width.  A desktop's message box grows as wide as
// its longest line and its row of buttons and is centred on its owner, so
// on a small screen it can run off either edge.  The Win32 side
// (message_box_fit_win.cpp) reads the box the system made, asks these rules
// and moves its parts.
#pragma once
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include "platform/control_box.h"

struct MessageBoxLayout {
  ControlBox box;  // on the screen, frame included
  int clientWidth, clientHeight;
  ControlBox text;                  // in the client area
  std::vector<ControlBox> buttons;  // in the client area, left to right, one row
};

// The widest the text may be once the box is as wide as `workArea`: its
// width less the frame and the text's left margin on either side.
int MessageTextWidthLimit(const MessageBoxLayout& shown, const ControlBox& workArea);

// True when the box is wider than the work area: its text is then wrapped
// to MessageTextWidthLimit and FitMessageBox narrows the box.  A box without
// buttons is left as it is.
bool MessageBoxNarrows(const MessageBoxLayout& shown, const ControlBox& workArea);

// The width of one character of the text, `count` units from `units` (two
// for a surrogate pair), in the font the text is shown in.
using MeasureCharacter = std::function<int(const char16_t* units, std::size_t count)>;

// Inserts "\r\n" into `text` so that no line is wider than `maxWidth`.  A
// line breaks after its last blank when it has one, else before the
// character that would not fit, never inside a surrogate pair nor before a
// closing mark such as 、 or 」 (the mark's character goes along to the next
// line).  Every line keeps at least one character.  The breaks already in
// the text, "\n" and "\r\n", stay as they are, have no width and are never
// split, so removing every "\r\n" the wrap added gives the text back.
std::u16string WrapMessageText(const std::u16string& text, const MeasureCharacter& measure, int maxWidth);

// `box` (its size) centred on the window `owner`, moved inside `workArea`.
// The system centres a box on the screen; on a desktop's large screen that
// can be far from the small window it speaks for, so there it goes over
// its owner, as a person expects it.
ControlBox CentredOnOwner(const ControlBox& box, const ControlBox& owner, const ControlBox& workArea);

// Where the box and its parts go on `workArea` once its text measures
// `textWidth` x `textHeight`.  A box no wider than the work area keeps its
// shape and is only moved inside it.  A wider one becomes as wide as the
// work area: the text at its left margin, the buttons below it at the gap
// they had, the row centred; a row too wide for that first closes its
// margins and gaps up to a third of the gap (at least 2), then narrows its
// buttons, each no wider than before; its centre stays where it was, then it is moved
// inside the work area (its top edge first where it is taller).
MessageBoxLayout FitMessageBox(const MessageBoxLayout& shown, const ControlBox& workArea, int textWidth,
                               int textHeight);
