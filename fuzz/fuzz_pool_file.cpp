// Any bytes as a pool file: without the ten header bytes the reader answers
// 0 and leaves the list alone; with them it answers 1 and appends, behind the
// old row, one row per whole record (word, reading, coded baseform, each
// NUL-terminated) in file order, a record cut short by the end of the file
// giving none. Word and reading keep their first 255 bytes of whole
// characters; the baseform is the codes' expansion and must be well formed.

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "convert/phoneme_codes.h"
#include "convert/sjis_text.h"
#include "fuzz/baseform_checks.h"
#include "fuzz/fuzz_support.h"
#include "files/pool_file.h"

namespace {

std::string Cut(std::string_view text) {
  return std::string(text.substr(0, SjisPrefixLength(text, kWordFieldSize - 1)));
}

std::vector<Row> ExpectedRecords(std::string_view body) {
  std::vector<Row> rows;
  for (;;) {
    std::string_view strings[3];
    for (std::string_view& s : strings) {
      const size_t nul = body.find('\0');
      if (nul == std::string_view::npos) return rows;
      s = body.substr(0, nul);
      body.remove_prefix(nul + 1);
    }
    char baseform[kWordFieldSize] = {};
    ExpandPhonemeCodes(std::string(strings[2]).c_str(), baseform);
    rows.push_back({Cut(strings[0]), Cut(strings[1]), baseform});
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view file(reinterpret_cast<const char*>(data), size);
  FuzzWordList list;
  AppendRow(list, kOldRow);
  const bool result = static_cast<bool>(LoadPoolFile(list, WriteFuzzFile("words.ppl", file).c_str()));
  const std::vector<Row> rows = RowsOf(list);

  const bool hasHeader = size >= kPoolHeaderSize && std::memcmp(data, kPoolHeader, kPoolHeaderSize) == 0;
  Require(result == hasHeader, "wrong result");
  std::vector<Row> expected = {kOldRow};
  if (hasHeader) {
    const std::vector<Row> records = ExpectedRecords(file.substr(kPoolHeaderSize));
    expected.insert(expected.end(), records.begin(), records.end());
  }
  Require(rows == expected, "rows differ from the file's records");
  for (const Row& row : rows) CheckBaseformShape(row[2].c_str(), kWordFieldSize);
  return 0;
}
