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

// A symbol of up to three bytes as one number, its bytes from the most
// significant on, zeros after a shorter symbol: numbers order as the
// symbols do (no symbol holds a zero byte), and a comparison costs no look
// for the symbol's end. 0 for a text that is no symbol's length.
constexpr uint32_t PackedSymbol(std::string_view symbol) {
  if (symbol.empty() || symbol.size() > 3) return 0;
  uint32_t packed = 0;
  for (size_t i = 0; i < 3; ++i) {
    const unsigned byte = i < symbol.size() ? static_cast<unsigned char>(symbol[i]) : 0u;
    if (byte == 0 && i < symbol.size()) return 0;  // no symbol holds a NUL
    packed = packed << 8 | byte;
  }
  return packed;
}

// The symbols in an open-addressing hash table of their packed numbers, at
// most a quarter full, so that a lookup is a probe or two.
class SymbolIndex {
 public:
  SymbolIndex() {
    for (int i = 0; i < kPhonemeCodeRows; ++i) {
      const uint32_t key = PackedSymbol(PhonemeCodeTable[i].symbol);
      size_t slot = SlotOf(key);
      while (slots_[slot].key != 0) slot = (slot + 1) % kSlots;
      slots_[slot] = {key, PhonemeCodeTable[i].code};
    }
  }

  uint8_t CodeOf(uint32_t key) const {
    for (size_t slot = SlotOf(key);; slot = (slot + 1) % kSlots) {
      if (slots_[slot].key == key) return slots_[slot].code;
      if (slots_[slot].key == 0) return 0;
    }
  }

 private:
  static constexpr int kBits = 8;
  static constexpr size_t kSlots = size_t{1} << kBits;
  static_assert(kSlots >= 4 * kPhonemeCodeRows);

  static size_t SlotOf(uint32_t key) { return (key * 2654435761u) >> (32 - kBits); }

  struct Slot {
    uint32_t key = 0;  // 0: empty (no symbol packs to 0)
    uint8_t code = 0;
  };
  std::array<Slot, kSlots> slots_{};
};

}  // namespace

uint8_t PhonemeCodeOf(std::string_view symbol) {
  static const SymbolIndex index;
  const uint32_t key = PackedSymbol(symbol);
  return key == 0 ? 0 : index.CodeOf(key);
}
