#include <cstdio>

#include "tools/cli/cli.h"

namespace {

void PrintUsage(std::FILE* out) {
  std::fputs("usage: kariosearch-cli COMMAND ARGS...\n", out);
  for (const CliCommand& command : CliCommands()) {
    std::fprintf(out, "  kariosearch-cli %s %s\n", command.name, command.usage);
  }
  std::fputs("Levels: L, M, R, SQuartered, SFine. Coordinates in ms of arc (1 degree = 3600000).\n", out);
}

}  // namespace

const std::vector<CliCommand>& CliCommands() {
  static const std::vector<CliCommand> commands = {
      {"search", "--level L|M|R|SQuartered|SFine --at LON,LAT --folder DIR [--card-folder DIR] TERM", RunSearchCommand},
      {"cell", "--level L|M|R|SQuartered|SFine --at LON,LAT", RunCellCommand},
      {"convert", "LON LAT", RunConvertCommand},
      {"distance", "--at LON,LAT LON LAT", RunDistanceCommand},
      {"qlcode", "--db FILE --at LON,LAT [--selected] TERM", RunQLCodeCommand},
      {"phone-parse", "--at LON,LAT FILE", RunPhoneParseCommand},
      {"read-screen", "FILE.bmp [--scale 1|2] [--cleartype] [--alternate]", RunReadScreenCommand},
  };
  return commands;
}

int RunCli(const std::vector<std::string>& args) {
  if (args.empty()) {
    PrintUsage(stderr);
    return kCliExitUsage;
  }
  // Asked for, the usage is the answer: standard output, success.
  if (args[0] == "--help" || args[0] == "-h") {
    PrintUsage(stdout);
    return 0;
  }
  for (const CliCommand& command : CliCommands()) {
    if (args[0] == command.name) {
      return command.run(std::vector<std::string>(args.begin() + 1, args.end()));
    }
  }
  std::fprintf(stderr, "kariosearch-cli: unknown command \"%s\"\n", args[0].c_str());
  PrintUsage(stderr);
  return kCliExitUsage;
}
