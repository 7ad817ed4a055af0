// Any bytes as a grammar file: the reader opens it (true) and appends, behind
// the old row, one row per NUL-terminated word of the block its values place
// (start V16 + V32 + 4, length V0 - V16 - V32 - 4, in 32-bit signed
// arithmetic), taking only bytes of the file: a block that starts outside
// the file or has no length gives nothing, one that reaches past the end is
// taken as far as the file goes, and a last word without its NUL there is
// dropped. Words keep their first 255 bytes of whole characters.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "convert/sjis_text.h"
#include "fuzz/fuzz_support.h"
#include "files/grammar_file.h"

namespace {

uint32_t ValueAt(const uint8_t* data, size_t offset) {
  return uint32_t{data[offset]} | uint32_t{data[offset + 1]} << 8 | uint32_t{data[offset + 2]} << 16 |
         uint32_t{data[offset + 3]} << 24;
}

std::vector<Row> ExpectedWords(const uint8_t* data, size_t size) {
  std::vector<Row> rows;
  if (size < 36) return rows;
  const uint32_t v0 = ValueAt(data, 0), v16 = ValueAt(data, 16), v32 = ValueAt(data, 32);
  const auto start = static_cast<int64_t>(static_cast<int32_t>(v16 + v32 + 4));
  const auto length = static_cast<int64_t>(static_cast<int32_t>(v0 - v16 - v32 - 4));
  if (length <= 0 || start < 0 || start >= static_cast<int64_t>(size)) return rows;
  std::string_view block(reinterpret_cast<const char*>(data) + start, size - static_cast<size_t>(start));
  block = block.substr(0, static_cast<size_t>(length));
  for (size_t nul; (nul = block.find('\0')) != std::string_view::npos; block.remove_prefix(nul + 1)) {
    const std::string_view word = block.substr(0, nul);
    rows.push_back({std::string(word.substr(0, SjisPrefixLength(word, kWordFieldSize - 1))), "", ""});
  }
  return rows;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzWordList list;
  AppendRow(list, kOldRow);
  const std::string path = WriteFuzzFile("words.fsg", {reinterpret_cast<const char*>(data), size});
  Require(static_cast<bool>(LoadGrammarWords(list, path.c_str())), "an existing file not read");
  std::vector<Row> expected = ExpectedWords(data, size);
  expected.insert(expected.begin(), kOldRow);
  Require(RowsOf(list) == expected, "rows differ from the words of the block");
  return 0;
}
