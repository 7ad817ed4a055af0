// Any bytes as one line: SplitWordLine finds the fields that runs of tabs
// separate (leading tabs ignored, a line ending in tabs after its word or
// reading gives none, whatever follows the third field's tab is ignored),
// each cut to its first 80 bytes of whole characters. It changes the line
// only where a field or the final LF ended, and writes nothing past a
// field's text.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/fuzz_support.h"
#include "files/text_word_list.h"

namespace {

// The fields the line's shape gives, or none for a line that gives no row.
std::vector<std::string_view> ExpectedFields(std::string_view text) {
  if (!text.empty() && text.back() == '\n') text.remove_suffix(1);
  std::vector<std::string_view> fields;
  size_t pos = text.find_first_not_of('\t');
  while (pos != std::string_view::npos) {
    const size_t tab = text.find('\t', pos);
    fields.push_back(text.substr(pos, tab - pos));
    if (tab == std::string_view::npos || fields.size() == 3) return fields;
    pos = text.find_first_not_of('\t', tab);
  }
  return {};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string original(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
  std::vector<char> line(original.begin(), original.end());
  line.push_back('\0');
  char fields[3][kWordFieldSize] = {};
  const int found = SplitWordLine(line.data(), fields[0], fields[1], fields[2]);

  for (size_t i = 0; i < original.size(); ++i) {
    if (line[i] == original[i]) continue;
    const bool finalLf = original[i] == '\n' && i + 1 == original.size();
    Require(line[i] == '\0' && (original[i] == '\t' || finalLf), "the line changed where no field ended");
  }
  for (const auto& field : fields) {
    for (size_t i = strnlen(field, kWordFieldSize); i < kWordFieldSize; ++i) {
      Require(field[i] == '\0', "a byte written past a field's text");
    }
  }

  const std::vector<std::string_view> expected = ExpectedFields(original);
  Require(found == static_cast<int>(expected.size()), "wrong field count");
  for (size_t i = 0; i < expected.size(); ++i) {
    const std::string_view field = expected[i];
    Require(std::string_view(fields[i]) == TextFieldCut(field), "wrong field text");
  }
  return 0;
}
