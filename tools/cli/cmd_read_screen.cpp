// read-screen: reads the map application's coordinate readout from a
// screenshot as one screen reader tick would, and prints the point it would
// store ("LON LAT"), or fails with "no point read".  The image's top-left
// pixel is pixel (0, 0) of the screen.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "tools/common/bmp_pixels.h"
#include "maplink/screen_reader.h"
#include "tools/cli/cli.h"

int RunReadScreenCommand(const std::vector<std::string>& args) {
  const char* kName = "read-screen";
  CliArgs parsed;
  std::string error;
  if (!ParseCliArgs(args, {"--scale"}, {"--cleartype", "--alternate"}, parsed, error)) {
    return CliUsageError(kName, error);
  }
  std::string scale = parsed.values.count("--scale") ? parsed.values["--scale"] : "1";
  if (scale != "1" && scale != "2") return CliUsageError(kName, "--scale must be 1 or 2");
  if (parsed.operands.size() != 1) return CliUsageError(kName, "needs one BMP file");
  std::ifstream in(parsed.operands[0], std::ios::binary);
  if (!in) return CliFailure("cannot open " + parsed.operands[0]);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  BmpImage image;
  if (!DecodeBmp(bytes.str(), image, error)) return CliFailure(parsed.operands[0] + ": " + error);

  g_screenTick.readPixel = ReadBmpPixel;
  g_screenTick.context = &image;
  g_screenTick.clearType = parsed.flags.count("--cleartype") > 0;
  g_screenTick.displayScale = scale == "2" ? 2 : 1;
  g_alternateLayout = parsed.flags.count("--alternate") ? 1 : 0;
  int32_t lon = 0, lat = 0;
  bool read = ReadReferencePoint(&lon, &lat);
  g_screenTick = ScreenTick{};
  if (!read) return CliFailure("no point read");
  char line[32];
  std::snprintf(line, sizeof line, "%d %d", static_cast<int>(lon), static_cast<int>(lat));
  PrintCliLine(line);
  return kCliExitOk;
}
