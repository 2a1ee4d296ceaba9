// search: the keyword search in the map data around a point, first over the
// map data folder and, when that finds nothing, over the card folder.
#include "core/reference_point.h"
#include "platform/utf.h"
#include "search/mesh_scan.h"
#include "shell/map_data_search.h"
#include "tools/cli/cli.h"

int RunSearchCommand(const std::vector<std::string>& args) {
  const char* kName = "search";
  CliArgs parsed;
  std::string error;
  if (!ParseCliArgs(args, {"--level", "--at", "--folder", "--card-folder"}, {}, parsed, error)) {
    return CliUsageError(kName, error);
  }
  MeshLevel level;
  int32_t lon = 0, lat = 0;
  if (!ReadCliLevelOption(parsed, level, error)) return CliUsageError(kName, error);
  if (!ReadCliAtOption(parsed, lon, lat, error)) return CliUsageError(kName, error);
  if (!parsed.values.count("--folder") || parsed.values["--folder"].empty()) {
    return CliUsageError(kName, "--folder DIR is required");
  }
  if (parsed.operands.size() != 1 || parsed.operands[0].empty()) {
    return CliUsageError(kName, "exactly one search term is required");
  }
  const std::u16string term = Utf8ToUtf16(parsed.operands[0]);
  if (!MeshSearchTermFits(term)) {
    return CliFailure("search term too long: at most 31 bytes in Shift-JIS (15 double-byte characters)");
  }

  // Messages name the folders as they were given; the scan needs the separator.
  std::vector<std::u16string> folders = {Utf8ToUtf16(parsed.values["--folder"])};
  if (parsed.values.count("--card-folder")) folders.push_back(Utf8ToUtf16(parsed.values["--card-folder"]));
  for (std::u16string& folder : folders) {
    if (!CliFolderReadable(folder, error)) return CliFailure(error);
    folder = CliFolderWithSeparator(folder);
  }

  g_referenceLongitude = lon;
  g_referenceLatitude = lat;
  SearchMapDataFolders(level, term, folders[0], folders.size() > 1 ? folders[1] : std::u16string());
  PrintResultList();
  return kCliExitOk;
}
