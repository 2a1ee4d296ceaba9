// phone-parse: the parse of a saved web map search answer.  The parse
// deletes the answer it reads (it is a cache file on the device), so it
// works on a temporary copy and the given file stays.
#include <chrono>
#include <filesystem>

#include "core/reference_point.h"
#include "platform/utf.h"
#include "search/phone_parse.h"
#include "tools/cli/cli.h"
#include "tools/common/native_path.h"

namespace {

bool CopyToTemporaryFile(const std::u16string& source, std::filesystem::path& copy, std::string& error) {
  namespace fs = std::filesystem;
  std::error_code ec;
  const fs::path folder = fs::temp_directory_path(ec);
  if (ec) {
    error = "no temporary folder: " + ec.message();
    return false;
  }
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  copy = folder / ("kariosearch-cli-answer-" + std::to_string(stamp) + ".txt");
  if (!fs::copy_file(NativeFilePath(source), copy, fs::copy_options::overwrite_existing, ec)) {
    error = "cannot copy " + Utf16ToUtf8(source) + ": " + ec.message();
    return false;
  }
  return true;
}

}  // namespace

int RunPhoneParseCommand(const std::vector<std::string>& args) {
  const char* kName = "phone-parse";
  CliArgs parsed;
  std::string error;
  if (!ParseCliArgs(args, {"--at"}, {}, parsed, error)) return CliUsageError(kName, error);
  int32_t lon = 0, lat = 0;
  if (!ReadCliAtOption(parsed, lon, lat, error)) return CliUsageError(kName, error);
  if (parsed.operands.size() != 1 || parsed.operands[0].empty()) {
    return CliUsageError(kName, "exactly one answer file is required");
  }
  const std::u16string answer = Utf8ToUtf16(parsed.operands[0]);
  if (!CliFileReadable(answer, error)) return CliFailure(error);
  std::filesystem::path copy;
  if (!CopyToTemporaryFile(answer, copy, error)) return CliFailure(error);

  g_referenceLongitude = lon;
  g_referenceLatitude = lat;
  ParseSearchResponseFile(copy.u16string());
  std::error_code ec;
  std::filesystem::remove(copy, ec);  // in case the parse could not delete it
  PrintResultList();
  return kCliExitOk;
}
