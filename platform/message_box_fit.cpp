#include "platform/message_box_fit.h"

#include <algorithm>

namespace {

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// The units of the break that starts at `at` ("\n" or "\r\n"); 0 where none does.
std::size_t BreakUnits(const std::u16string& text, std::size_t at) {
  if (text[at] == u'\n') return 1;
  return text[at] == u'\r' && at + 1 < text.size() && text[at + 1] == u'\n' ? 2 : 0;
}

// Marks that close a phrase: a line does not start with one.
bool IsClosingMark(char16_t c) {
  return std::u16string_view(u"、。，．）」』】〕！？・ー…,.)!?:;").find(c) != std::u16string_view::npos;
}

}  // namespace

int MessageTextWidthLimit(const MessageBoxLayout& shown, const ControlBox& workArea) {
  return workArea.width - (shown.box.width - shown.clientWidth) - 2 * shown.text.x;
}

bool MessageBoxNarrows(const MessageBoxLayout& shown, const ControlBox& workArea) {
  return shown.box.width > workArea.width && !shown.buttons.empty();
}

ControlBox CentredOnOwner(const ControlBox& box, const ControlBox& owner, const ControlBox& workArea) {
  return MovedInside(
      {owner.x + (owner.width - box.width) / 2, owner.y + (owner.height - box.height) / 2, box.width, box.height},
      workArea);
}

std::u16string WrapMessageText(const std::u16string& text, const MeasureCharacter& measure, int maxWidth) {
  std::u16string out;
  std::vector<int> widths(text.size(), 0);  // a character's width at its first unit
  std::size_t lineStart = 0;                // in `text`
  int lineWidth = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (const std::size_t breakUnits = BreakUnits(text, i)) {
      out += text.substr(lineStart, i + breakUnits - lineStart);
      lineStart = i + breakUnits;
      lineWidth = 0;
      i += breakUnits - 1;
      continue;
    }
    // A surrogate pair is one character, measured whole.
    const std::size_t units = IsHighSurrogate(text[i]) && i + 1 < text.size() && IsLowSurrogate(text[i + 1]) ? 2 : 1;
    const int width = measure(&text[i], units);
    widths[i] = width;
    if (lineWidth + width > maxWidth && i > lineStart) {
      std::size_t cut = i;
      // A blank of this line only: looking further back, through the lines
      // already cut, made a long text without blanks cost its length squared.
      std::size_t blank = i - 1;
      while (blank > lineStart && text[blank] != u' ') --blank;
      if (blank > lineStart) {
        cut = blank + 1;
      } else {
        while (cut > lineStart + 1 && (IsClosingMark(text[cut]) || IsLowSurrogate(text[cut]))) --cut;
      }
      out += text.substr(lineStart, cut - lineStart) + u"\r\n";
      lineStart = cut;
      lineWidth = 0;
      for (std::size_t k = cut; k < i; ++k) lineWidth += widths[k];
    }
    lineWidth += width;
    i += units - 1;
  }
  return out + text.substr(lineStart);
}

MessageBoxLayout FitMessageBox(const MessageBoxLayout& shown, const ControlBox& workArea, int textWidth,
                               int textHeight) {
  MessageBoxLayout fit = shown;
  if (MessageBoxNarrows(shown, workArea)) {
    const int frameWidth = shown.box.width - shown.clientWidth, frameHeight = shown.box.height - shown.clientHeight;
    const ControlBox& first = shown.buttons.front();
    const int count = static_cast<int>(shown.buttons.size());
    const int gap = count > 1 ? shown.buttons[1].x - (first.x + first.width) : 0;
    const int textGap = first.y - (shown.text.y + shown.text.height);
    const int bottom = shown.clientHeight - (first.y + first.height);
    fit.clientWidth = workArea.width - frameWidth;
    fit.text = {shown.text.x, shown.text.y, textWidth, textHeight};
    // A row that does not fit at the margins and gaps it had closes them up
    // to a third first, and only then narrows the buttons.
    int spacing = gap, edge = shown.text.x;
    if (count * first.width + (count - 1) * gap + 2 * edge > fit.clientWidth) spacing = edge = std::max(2, gap / 3);
    const int buttonWidth =
        std::max(1, std::min(first.width, (fit.clientWidth - 2 * edge - (count - 1) * spacing) / count));
    const int rowStart = (fit.clientWidth - (count * buttonWidth + (count - 1) * spacing)) / 2;
    const int buttonTop = fit.text.y + textHeight + textGap;
    for (int i = 0; i < count; ++i)
      fit.buttons[i] = {rowStart + i * (buttonWidth + spacing), buttonTop, buttonWidth, first.height};
    fit.clientHeight = buttonTop + first.height + bottom;
    fit.box.width = fit.clientWidth + frameWidth;
    fit.box.height = fit.clientHeight + frameHeight;
    // As wide as the work area, it is moved to the work area's left edge below.
    fit.box.y = shown.box.y + (shown.box.height - fit.box.height) / 2;
  }
  fit.box = MovedInside(fit.box, workArea);
  return fit;
}
