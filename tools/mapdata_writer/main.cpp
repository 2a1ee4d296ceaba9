// mapdata-writer: writes a map data folder from a table of places.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/mapdata_writer/mapdata_writer.h"

namespace {

const char kUsage[] =
    "usage: mapdata-writer [--s-layout quartered|fine|both] [--fallback-folders] PLACES.TSV FOLDER\n"
    "  PLACES.TSV  UTF-8, tab-separated: name, Tokyo-datum longitude and latitude in ms\n"
    "  FOLDER      receives levelL, levelM, levelR and levelS (or _levelR and _levelS\n"
    "              for the R and quartered S files with --fallback-folders)\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  MapDataLayout layout;
  std::vector<std::string> operands;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--s-layout" && i + 1 < argc) {
      const std::string value = argv[++i];
      if (value == "quartered") {
        layout.sQuartered = true, layout.sFine = false;
      } else if (value == "fine") {
        layout.sQuartered = false, layout.sFine = true;
      } else if (value == "both") {
        layout.sQuartered = true, layout.sFine = true;
      } else {
        return Usage();
      }
    } else if (arg == "--fallback-folders") {
      layout.fallbackFolders = true;
    } else if (arg.rfind("--", 0) == 0) {
      return Usage();
    } else {
      operands.push_back(arg);
    }
  }
  if (operands.size() != 2) return Usage();

  std::vector<MapPlace> places;
  std::string error;
  if (!ReadPlacesTsv(operands[0], places, error) || !WriteMapDataFolder(operands[1], places, layout, error)) {
    std::fprintf(stderr, "mapdata-writer: %s\n", error.c_str());
    return 1;
  }
  return 0;
}
