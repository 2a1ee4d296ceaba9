// cell: the cell of a level that holds a point, with its centre.
#include <cstdio>

#include "platform/utf.h"
#include "tools/cli/cli.h"

int RunCellCommand(const std::vector<std::string>& args) {
  const char* kName = "cell";
  CliArgs parsed;
  std::string error;
  if (!ParseCliArgs(args, {"--level", "--at"}, {}, parsed, error)) return CliUsageError(kName, error);
  MeshLevel level;
  int32_t lon = 0, lat = 0;
  if (!ReadCliLevelOption(parsed, level, error)) return CliUsageError(kName, error);
  if (!ReadCliAtOption(parsed, lon, lat, error)) return CliUsageError(kName, error);
  if (!parsed.operands.empty()) return CliUsageError(kName, "unexpected argument " + parsed.operands[0]);

  const MeshCell cell = MeshCellAt(level, lon, lat);
  char centre[32];
  std::snprintf(centre, sizeof centre, " %d %d", static_cast<int>(cell.centreLon), static_cast<int>(cell.centreLat));
  PrintCliLine(Utf16ToUtf8(cell.code) + centre);
  return kCliExitOk;
}
