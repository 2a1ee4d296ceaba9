// One line of the tools' tab-separated input: the fields between tabs, a
// carriage return (from a file saved on Windows) left out.
#pragma once
#include <string>
#include <vector>

inline std::vector<std::string> SplitTsvLine(const std::string& line) {
  std::vector<std::string> fields(1);
  for (char c : line) {
    if (c == '\t')
      fields.emplace_back();
    else if (c != '\r')
      fields.back().push_back(c);
  }
  return fields;
}
