#include <windows.h>

#include "platform/codepage.h"

std::string WideToCodePage932(const std::u16string& text) {
  if (text.empty()) return std::string();
  const wchar_t* w = reinterpret_cast<const wchar_t*>(text.data());
  int n = WideCharToMultiByte(932, 0, w, static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  if (n <= 0) return std::string();
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(932, 0, w, static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

std::u16string CodePage932ToWide(const char* bytes, std::size_t length) {
  const std::size_t used = BytesBeforeZero(bytes, length);
  if (used == 0) return std::u16string();
  int n = MultiByteToWideChar(932, 0, bytes, static_cast<int>(used), nullptr, 0);
  if (n <= 0) return std::u16string();
  std::u16string out(static_cast<std::size_t>(n), u'\0');
  MultiByteToWideChar(932, 0, bytes, static_cast<int>(used), reinterpret_cast<wchar_t*>(&out[0]), n);
  return out;
}
