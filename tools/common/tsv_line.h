// The tools' tab-separated input: one line's fields, and a file's rows.
#pragma once
#include <fstream>
#include <string>
#include <vector>

// The fields between tabs, a carriage return (from a file saved on Windows)
// left out.

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

// The fields of a line that must have exactly `count`, named by `names` in
// the message when it has another number.
inline bool SplitTsvFields(const std::string& line, std::size_t count, const char* names,
                           std::vector<std::string>& fields, std::string& error) {
  fields = SplitTsvLine(line);
  if (fields.size() == count) return true;
  error = "expected " + std::to_string(count) + " tab-separated fields (" + names + ")";
  return false;
}

// Reads every line of the file at `path` into a row with `parse`, passing
// over empty lines and comments (lines that start with '#').  False with
// `error` set ("cannot read PATH", or "PATH:LINE: " and the parse's reason)
// at the first line that does not parse.
template <typename Row>
bool ReadTsvRows(const char* path, bool (*parse)(const std::string&, Row&, std::string&), std::vector<Row>& rows,
                 std::string& error) {
  std::ifstream in(path);
  if (!in) {
    error = std::string("cannot read ") + path;
    return false;
  }
  std::string line;
  for (int number = 1; std::getline(in, line); ++number) {
    if (line.empty() || line[0] == '#' || line == "\r") continue;
    Row row;
    if (!parse(line, row, error)) {
      error = std::string(path) + ":" + std::to_string(number) + ": " + error;
      return false;
    }
    rows.push_back(row);
  }
  return true;
}
