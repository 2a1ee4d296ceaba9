// qlcode: the location-code search over a QLCode database file.
#include "core/reference_point.h"
#include "platform/utf.h"
#include "search/qlcode_search.h"
#include "tools/cli/cli.h"

int RunQLCodeCommand(const std::vector<std::string>& args) {
  const char* kName = "qlcode";
  CliArgs parsed;
  std::string error;
  if (!ParseCliArgs(args, {"--db", "--at"}, {"--selected"}, parsed, error)) return CliUsageError(kName, error);
  int32_t lon = 0, lat = 0;
  if (!parsed.values.count("--db") || parsed.values["--db"].empty()) {
    return CliUsageError(kName, "--db FILE is required");
  }
  if (!ReadCliAtOption(parsed, lon, lat, error)) return CliUsageError(kName, error);
  if (parsed.operands.size() != 1 || parsed.operands[0].empty()) {
    return CliUsageError(kName, "exactly one search term is required");
  }
  const std::u16string database = Utf8ToUtf16(parsed.values["--db"]);
  if (!CliFileReadable(database, error)) return CliFailure(error);

  g_referenceLongitude = lon;
  g_referenceLatitude = lat;
  SearchQLCodeFile(database, Utf8ToUtf16(parsed.operands[0]), parsed.flags.count("--selected") > 0);
  PrintResultList();
  return kCliExitOk;
}
