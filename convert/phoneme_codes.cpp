#include "convert/phoneme_codes.h"

#include <cstring>

const std::array<PhonemeCodeEntry, kPhonemeCodeRows + 1> PhonemeCodeTable = {{
    {"Qb", 4},   {"Qch", 5},  {"Qd", 6},   {"Qf", 7},   {"Qg", 8},   {"Qh", 9},   {"Qj", 10},
    {"Qk", 11},  {"Qky", 12}, {"Qp", 13},  {"Qpy", 14}, {"Qs", 15},  {"Qsh", 16}, {"Qt", 17},
    {"Qts", 18}, {"Qz", 19},  {"_n", 20},  {"a", 21},   {"a:", 22},  {"b", 23},   {"by", 24},
    {"ch", 25},  {"d", 26},   {"dy", 27},  {"e", 28},   {"e:", 29},  {"f", 30},   {"g", 31},
    {"gy", 32},  {"h", 33},   {"hy", 34},  {"i", 35},   {"i:", 36},  {"j", 37},   {"k", 38},
    {"ky", 39},  {"m", 40},   {"my", 41},  {"n", 42},   {"ny", 43},  {"o", 44},   {"o:", 45},
    {"p", 46},   {"py", 47},  {"r", 48},   {"ry", 49},  {"s", 50},   {"sh", 51},  {"t", 52},
    {"ts", 53},  {"u", 54},   {"u:", 55},  {"w", 56},   {"y", 57},   {"z", 58},   {nullptr, 0},
}};

namespace {

// Each code byte's symbol, straight from its value; nullptr for bytes that
// are no code. Built once from the table so the two can never disagree.
struct SymbolByCode {
  std::array<const char*, 256> symbol{};
  SymbolByCode() {
    for (int i = 0; i < kPhonemeCodeRows; ++i) symbol[PhonemeCodeTable[i].code] = PhonemeCodeTable[i].symbol;
  }
};

const SymbolByCode& Symbols() {
  static const SymbolByCode symbols;
  return symbols;
}

}  // namespace

int ExpandPhonemeCodes(const char* codes, char (&baseform)[256]) {
  const SymbolByCode& table = Symbols();
  size_t len = std::strlen(baseform);
  for (const auto* p = reinterpret_cast<const unsigned char*>(codes); *p; ++p) {
    const char* symbol = table.symbol[*p];
    if (!symbol) continue;
    const size_t symbolLen = std::strlen(symbol);
    const size_t separator = len > 0 ? 1 : 0;
    if (len + separator + symbolLen > sizeof baseform - 1) break;
    if (separator) baseform[len++] = ' ';
    std::memcpy(baseform + len, symbol, symbolLen);
    len += symbolLen;
    baseform[len] = '\0';
  }
  return 1;
}

namespace {

// Every symbol as a cell of a table: each of its bytes numbered among the
// bytes symbols use (from 1; 0 past a shorter symbol's end), the three numbers
// the cell's coordinates. A lookup is three byte look-ups and one cell.
class SymbolIndex {
 public:
  SymbolIndex() {
    int used = 0;
    for (int i = 0; i < kPhonemeCodeRows; ++i) {
      for (const char* p = PhonemeCodeTable[i].symbol; *p; ++p) {
        uint8_t& number = number_[static_cast<unsigned char>(*p)];
        if (number == 0) number = static_cast<uint8_t>(++used);
      }
    }
    for (int i = 0; i < kPhonemeCodeRows; ++i) code_[Cell(PhonemeCodeTable[i].symbol)] = PhonemeCodeTable[i].code;
  }

  uint8_t CodeOf(std::string_view symbol) const {
    if (symbol.empty() || symbol.size() > 3) return 0;
    size_t cell = 0;
    for (size_t i = 0; i < 3; ++i) {
      uint8_t number = 0;
      if (i < symbol.size()) {
        number = number_[static_cast<unsigned char>(symbol[i])];
        if (number == 0) return 0;  // a byte no symbol holds
      }
      cell = cell * kNumbers + number;
    }
    return code_[cell];
  }

  // The cell is built as the bytes go by, and shifted into place at the
  // symbol's end as Cell places a shorter symbol.
  SymbolCodes CodeSymbols(std::string_view text, uint8_t* codes) const {
    static_assert(kNumbers == 32, "a byte's number takes five bits of a cell");
    SymbolCodes found;
    size_t cell = 0;
    size_t length = 0;
    bool known = true;
    for (size_t i = 0;; ++i) {
      if (i == text.size() || text[i] == ' ') {
        if (length == 0) {
          found.emptySymbol = true;
        } else if (const uint8_t code = known && length <= 3 ? code_[cell << (5 * (3 - length))] : 0; code != 0) {
          if (codes) codes[found.count] = code;
          ++found.count;
        } else {
          found.unknownSymbol = true;
        }
        if (i == text.size()) return found;
        cell = 0;
        length = 0;
        known = true;
        continue;
      }
      const uint8_t number = number_[static_cast<unsigned char>(text[i])];
      known = known && number != 0;
      if (++length <= 3) cell = cell * kNumbers + number;
    }
  }

 private:
  // The symbols use fewer than 31 different bytes.
  static constexpr size_t kNumbers = 32;

  size_t Cell(const char* symbol) const {
    size_t cell = 0;
    for (size_t i = 0; i < 3; ++i) {
      const uint8_t number = *symbol ? number_[static_cast<unsigned char>(*symbol++)] : 0;
      cell = cell * kNumbers + number;
    }
    return cell;
  }

  std::array<uint8_t, 256> number_{};
  std::array<uint8_t, kNumbers * kNumbers * kNumbers> code_{};
};

const SymbolIndex& Index() {
  static const SymbolIndex index;
  return index;
}

}  // namespace

uint8_t PhonemeCodeOf(std::string_view symbol) { return Index().CodeOf(symbol); }

SymbolCodes CodePhonemeSymbols(std::string_view baseform, uint8_t* codes) {
  return Index().CodeSymbols(baseform, codes);
}
