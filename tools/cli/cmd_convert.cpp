// convert: a WGS84 point (ms, fractions allowed) to the Tokyo datum.
#include <cstdio>

#include "search/coordinates.h"
#include "tools/cli/cli.h"

int RunConvertCommand(const std::vector<std::string>& args) {
  const char* kName = "convert";
  CliArgs parsed;
  std::string error;
  if (!ParseCliArgs(args, {}, {}, parsed, error)) return CliUsageError(kName, error);
  double lon = 0, lat = 0;
  if (parsed.operands.size() != 2 || !ParseCliReal(parsed.operands[0], lon) || !ParseCliReal(parsed.operands[1], lat)) {
    return CliUsageError(kName, "needs the WGS84 longitude and latitude in ms");
  }
  // The conversion truncates into 32 bits; keep far-off values out of it.
  if (lon < -1e9 || lon > 1e9 || lat < -1e9 || lat > 1e9) {
    return CliUsageError(kName, "coordinates out of range (at most 1000000000 ms)");
  }
  const TokyoPoint tokyo = ConvertWgs84ToTokyo(lon, lat);
  char line[32];
  std::snprintf(line, sizeof line, "%d %d", static_cast<int>(tokyo.lon), static_cast<int>(tokyo.lat));
  PrintCliLine(line);
  return kCliExitOk;
}
