#include <cstdio>
#include <filesystem>

#include "platform/files.h"
#include "platform/result_list.h"
#include "platform/utf.h"
#include "tools/cli/cli.h"
#include "tools/common/native_path.h"

void PrintCliLine(const std::string& line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
}

void PrintResultList() {
  for (const std::u16string& line : ResultListLines()) PrintCliLine(Utf16ToUtf8(line));
  std::fflush(stdout);
}

bool CliFolderReadable(const std::u16string& folder, std::string& error) {
  std::error_code ec;
  const std::filesystem::path path = NativeFilePath(folder);
  if (!std::filesystem::is_directory(path, ec)) {
    error = "folder not found: " + Utf16ToUtf8(folder);
    return false;
  }
  std::filesystem::directory_iterator listing(path, ec);
  if (ec) {
    error = "cannot read folder " + Utf16ToUtf8(folder) + ": " + ec.message();
    return false;
  }
  return true;
}

bool CliFileReadable(const std::u16string& path, std::string& error) {
  std::error_code ec;
  if (std::filesystem::is_directory(NativeFilePath(path), ec)) {
    error = "not a file: " + Utf16ToUtf8(path);
    return false;
  }
  std::FILE* file = OpenDeviceFile(path, "rb");
  if (!file) {
    error = "cannot read file " + Utf16ToUtf8(path);
    return false;
  }
  std::fclose(file);
  return true;
}

std::u16string CliFolderWithSeparator(const std::u16string& folder) {
  if (!folder.empty() && (folder.back() == u'\\' || folder.back() == u'/')) return folder;
  return folder + u'\\';
}
