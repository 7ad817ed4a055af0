#pragma once
// Reads the tests' own data files: plain text, one row per line, two fields
// separated by a tab; lines that start with '#' describe the file.

#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using TabSeparatedRow = std::pair<std::string, std::string>;

inline std::vector<TabSeparatedRow> ReadTabSeparatedRows(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  std::vector<TabSeparatedRow> rows;
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const size_t tab = line.find('\t');
    if (tab == std::string::npos || line.find('\t', tab + 1) != std::string::npos) {
      throw std::runtime_error("not two tab-separated fields in " + path + ": " + line);
    }
    rows.emplace_back(line.substr(0, tab), line.substr(tab + 1));
  }
  return rows;
}
