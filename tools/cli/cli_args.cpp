#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "tools/cli/cli.h"
#include "tools/common/parse_int32.h"

namespace {

bool LooksLikeNumber(const std::string& word) {
  return word.size() >= 2 && word[0] == '-' && ((word[1] >= '0' && word[1] <= '9') || word[1] == '.');
}

}  // namespace

bool ParseCliArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                  const std::set<std::string>& flagOptions, CliArgs& parsed, std::string& error) {
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    if (optionsEnded || word.empty() || word[0] != '-' || word == "-" || LooksLikeNumber(word)) {
      parsed.operands.push_back(word);
    } else if (word == "--") {
      optionsEnded = true;
    } else if (valueOptions.count(word)) {
      if (i + 1 >= args.size()) {
        error = "option " + word + " needs a value";
        return false;
      }
      if (!parsed.values.emplace(word, args[++i]).second) {
        error = "option " + word + " given twice";
        return false;
      }
    } else if (flagOptions.count(word)) {
      parsed.flags.insert(word);
    } else {
      error = "unknown option " + word;
      return false;
    }
  }
  return true;
}

bool ParseCliReal(const std::string& text, double& value) {
  if (text.empty() || std::isspace(static_cast<unsigned char>(text[0]))) return false;
  errno = 0;
  char* end = nullptr;
  const double v = std::strtod(text.c_str(), &end);
  if (end == text.c_str() || *end != '\0' || errno != 0 || !std::isfinite(v)) return false;
  value = v;
  return true;
}

bool ParseCliPoint(const std::string& text, int32_t& lon, int32_t& lat) {
  const auto comma = text.find(',');
  if (comma == std::string::npos) return false;
  return ParseInt32(text.substr(0, comma), lon) && ParseInt32(text.substr(comma + 1), lat);
}

bool ParseCliLevel(const std::string& text, MeshLevel& level) {
  static const struct {
    const char* name;
    MeshLevel level;
  } kLevels[] = {{"L", MeshLevel::L},
                 {"M", MeshLevel::M},
                 {"R", MeshLevel::R},
                 {"SQuartered", MeshLevel::SQuartered},
                 {"SFine", MeshLevel::SFine}};
  for (const auto& entry : kLevels) {
    if (text == entry.name) {
      level = entry.level;
      return true;
    }
  }
  return false;
}

int CliUsageError(const char* command, const std::string& message) {
  std::fprintf(stderr, "kariosearch-cli %s: %s\n", command, message.c_str());
  for (const CliCommand& entry : CliCommands()) {
    if (std::string(entry.name) == command) {
      std::fprintf(stderr, "usage: kariosearch-cli %s %s\n", entry.name, entry.usage);
    }
  }
  return kCliExitUsage;
}

int CliFailure(const std::string& message) {
  std::fprintf(stderr, "kariosearch-cli: %s\n", message.c_str());
  return kCliExitFailure;
}

bool ReadCliAtOption(CliArgs& parsed, int32_t& lon, int32_t& lat, std::string& error) {
  if (parsed.values.count("--at") && ParseCliPoint(parsed.values["--at"], lon, lat)) return true;
  error = "--at needs LON,LAT in ms";
  return false;
}

bool ReadCliLevelOption(CliArgs& parsed, MeshLevel& level, std::string& error) {
  if (parsed.values.count("--level") && ParseCliLevel(parsed.values["--level"], level)) return true;
  error = "--level must be one of L, M, R, SQuartered, SFine";
  return false;
}
