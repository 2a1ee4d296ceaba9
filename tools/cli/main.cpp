// Entry point of kariosearch-cli: gathers the arguments as UTF-8 and runs
// the subcommand.  On Windows the arguments arrive as UTF-16 (wmain) and
// stdout is switched to binary so that UTF-8 lines pass unchanged.
#include <string>
#include <vector>

#include "platform/utf.h"
#include "tools/cli/cli.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <stdio.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  _setmode(_fileno(stdout), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) args.push_back(Utf16ToUtf8(FromWide(argv[i])));
  if (!AttachCliResultList()) {
    std::fputs("kariosearch-cli: cannot create the result list\n", stderr);
    return kCliExitFailure;
  }
  return RunCli(args);
}
#else
int main(int argc, char** argv) { return RunCli(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
