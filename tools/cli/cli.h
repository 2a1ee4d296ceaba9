// kariosearch-cli: the searches and the coordinate arithmetic from a shell,
// for scripting and for checking map data.  Each subcommand is one small
// function in a file of its own; cli_commands.cpp lists them.
//
// Output rules shared by every subcommand: stdout carries only the answer
// (result lines, one per output line, in the result list's order, UTF-8);
// messages go to stderr.  Exit codes: 0 done (also when nothing was found),
// 1 the work could not be done (unreadable folder or file, term too long),
// 2 bad arguments (with a usage message).
#pragma once
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "search/mesh.h"

constexpr int kCliExitOk = 0;
constexpr int kCliExitFailure = 1;
constexpr int kCliExitUsage = 2;

struct CliCommand {
  const char* name;
  const char* usage;  // the arguments after the name
  int (*run)(const std::vector<std::string>& args);
};

// All subcommands, in the order the usage message lists them.
const std::vector<CliCommand>& CliCommands();

// Runs the subcommand named by args[0]; args are UTF-8, without the program name.
int RunCli(const std::vector<std::string>& args);

// Parsed arguments of one subcommand: options that take a value, flags, and
// the remaining operands in order.  "--" ends the options; a word that starts
// with '-' followed by a digit is an operand (a negative number).
struct CliArgs {
  std::map<std::string, std::string> values;
  std::set<std::string> flags;
  std::vector<std::string> operands;
};
bool ParseCliArgs(const std::vector<std::string>& args, const std::set<std::string>& valueOptions,
                  const std::set<std::string>& flagOptions, CliArgs& parsed, std::string& error);

// A strict decimal reader (as ParseInt32 of tools/common/parse_int32.h):
// the whole text, nothing around it, finite.
bool ParseCliReal(const std::string& text, double& value);
// "LON,LAT", both signed 32-bit decimal integers.
bool ParseCliPoint(const std::string& text, int32_t& lon, int32_t& lat);
// "L", "M", "R", "SQuartered" or "SFine".
bool ParseCliLevel(const std::string& text, MeshLevel& level);
// The options every search needs: "--at LON,LAT" and "--level LEVEL".  False
// with `error` set (the usage message) when missing or malformed.
bool ReadCliAtOption(CliArgs& parsed, int32_t& lon, int32_t& lat, std::string& error);
bool ReadCliLevelOption(CliArgs& parsed, MeshLevel& level, std::string& error);

// Prints the message and the command's usage to stderr; returns kCliExitUsage.
int CliUsageError(const char* command, const std::string& message);
// Prints "kariosearch-cli: message" to stderr; returns kCliExitFailure.
int CliFailure(const std::string& message);

// Writes one UTF-8 line to stdout.
void PrintCliLine(const std::string& line);
// Writes the result list to stdout, one line per result.
void PrintResultList();

// Folder and file checks with the clear message the tool gives; paths are
// device paths as the searches take them ('\' becomes '/' natively).
bool CliFolderReadable(const std::u16string& folder, std::string& error);
bool CliFileReadable(const std::u16string& path, std::string& error);
// The folder with a trailing separator, as the searches need it.
std::u16string CliFolderWithSeparator(const std::u16string& folder);

#ifdef _WIN32
// Makes the hidden sorted list box the searches fill; false when it cannot
// be made.
bool AttachCliResultList();
#endif

// Subcommands.
int RunSearchCommand(const std::vector<std::string>& args);
int RunCellCommand(const std::vector<std::string>& args);
int RunConvertCommand(const std::vector<std::string>& args);
int RunDistanceCommand(const std::vector<std::string>& args);
int RunQLCodeCommand(const std::vector<std::string>& args);
int RunPhoneParseCommand(const std::vector<std::string>& args);
int RunReadScreenCommand(const std::vector<std::string>& args);
