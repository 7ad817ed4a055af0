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

// The symbols as a tree walked byte by byte: from the start, each byte a
// symbol holds leads to the state of the symbol's bytes so far, and any other
// byte to a dead end; a state where a symbol ends gives its code. Bytes are
// numbered first among the bytes symbols use (0 for any other), so that a
// state's ways on take one small row.
class SymbolIndex {
 public:
  SymbolIndex() {
    for (int i = 0; i < kPhonemeCodeRows; ++i) {
      for (const char* p = PhonemeCodeTable[i].symbol; *p; ++p) {
        uint8_t& number = number_[static_cast<unsigned char>(*p)];
        if (number == 0) number = static_cast<uint8_t>(++numbers_);
      }
    }
    int states = kFirstFree;
    for (int i = 0; i < kPhonemeCodeRows; ++i) {
      uint8_t state = kStart;
      for (const char* p = PhonemeCodeTable[i].symbol; *p; ++p) {
        uint8_t& to = next_[Way(state, *p)];
        if (to == kDead) to = static_cast<uint8_t>(states++);
        state = to;
      }
      code_[state] = PhonemeCodeTable[i].code;
    }
  }

  uint8_t CodeOf(std::string_view symbol) const {
    uint8_t state = kStart;
    for (const char c : symbol) state = next_[Way(state, c)];
    return code_[state];
  }

  // One walk over the text: each space ends a symbol (an empty one when no
  // byte came since the last), and so does the text's end.
  SymbolCodes CodeSymbols(std::string_view text, uint8_t* codes) const {
    SymbolCodes found;
    uint8_t state = kStart;
    const auto end = [&] {
      if (state == kStart) {
        found.emptySymbol = true;
      } else if (const uint8_t code = code_[state]; code != 0) {
        if (codes) codes[found.count] = code;
        ++found.count;
      } else {
        found.unknownSymbol = true;
      }
      state = kStart;
    };
    for (const char c : text) {
      if (c == ' ') {
        end();
      } else {
        state = next_[Way(state, c)];
      }
    }
    end();
    return found;
  }

 private:
  // The 55 symbols hold fewer than 32 different bytes and fewer than 254
  // bytes in all, so each of those bytes, and the start of each, is a state.
  static constexpr size_t kNumbers = 32;
  static constexpr size_t kStates = 256;
  static constexpr uint8_t kDead = 0, kStart = 1, kFirstFree = 2;

  size_t Way(uint8_t state, char c) const { return state * kNumbers + number_[static_cast<unsigned char>(c)]; }

  std::array<uint8_t, 256> number_{};
  int numbers_ = 0;
  std::array<uint8_t, kStates * kNumbers> next_{};  // kDead where no symbol goes on
  std::array<uint8_t, kStates> code_{};             // 0 where no symbol ends, and at the start
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
