#include "shell/open_result.h"

#include "core/messages.h"
#include "core/result_line.h"
#include "maplink/launch.h"
#include "platform/message_box.h"
#include "resources/resource_ids.h"
#include "shell/controls.h"
#include "shell/search_modes.h"

void OpenSelectedResult() {
  std::u16string line;
  if (!ReadSelectedResultLine(&line)) {
    ShowMessage(kNothingSelectedMessage);
    FocusControl(IDC_RESULT_LIST);
    return;
  }
  const std::vector<std::u16string> pieces = SplitResultLine(line);
  const LineCoordinates point = FindLineCoordinates(pieces);
  // A line whose coordinates cannot be told for certain is not offered: the
  // map application must never start at a point read from the wrong pieces.
  if (!point.found) {
    ShowMessage(kLineUnreadableMessage);
    FocusControl(IDC_RESULT_LIST);
    return;
  }
  const int answer = AskYesNoCancel(BuildConfirmationText(pieces), kConfirmationTitle);
  if (answer == kAnswerCancel) return;
  const int launchMode = answer == kAnswerYes ? kLaunchSetDestination : kLaunchShowPoint;
  // The M_TYPE follows the mode selected now, not the one the search ran in.
  LaunchMapApplication(point.lon, point.lat, MapTypeForMode(ReadSearchMode()), launchMode);
}
