// distance: the distance in km from a reference point, as result lines
// measure it, with all its digits.
#include <cstdio>

#include "core/reference_point.h"
#include "search/coordinates.h"
#include "tools/cli/cli.h"
#include "tools/common/parse_int32.h"

int RunDistanceCommand(const std::vector<std::string>& args) {
  const char* kName = "distance";
  CliArgs parsed;
  std::string error;
  if (!ParseCliArgs(args, {"--at"}, {}, parsed, error)) return CliUsageError(kName, error);
  int32_t refLon = 0, refLat = 0, lon = 0, lat = 0;
  if (!ReadCliAtOption(parsed, refLon, refLat, error)) return CliUsageError(kName, error);
  if (parsed.operands.size() != 2 || !ParseInt32(parsed.operands[0], lon) || !ParseInt32(parsed.operands[1], lat)) {
    return CliUsageError(kName, "needs the point's longitude and latitude in ms");
  }
  g_referenceLongitude = refLon;
  g_referenceLatitude = refLat;
  char line[40];
  std::snprintf(line, sizeof line, "%.17g", DistanceFromReference(lon, lat));
  PrintCliLine(line);
  return kCliExitOk;
}
