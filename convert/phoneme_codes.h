#pragma once
// Pool files store a baseform as one code byte per phoneme symbol. This is the
// table of the 55 symbols and their codes 4 to 58, with the expansion into
// text ("ky a a:") and the reverse lookup used when writing pool files.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

inline constexpr int kPhonemeCodeRows = 55;

struct PhonemeCodeEntry {
  const char* symbol;  // 1 to 3 ASCII characters
  uint8_t code;        // 4 to 58; 0 in the end row
};

// The 55 rows in ascending code order, followed by an end row with code 0.
extern const std::array<PhonemeCodeEntry, kPhonemeCodeRows + 1> PhonemeCodeTable;

// Appends the symbol of each byte of `codes` (NUL-terminated) to `baseform`,
// the symbols separated by single spaces, with no space at either end. Bytes
// that are no code (1 to 3, 59 to 255) are skipped without a trace. The field
// holds 255 bytes: when the symbols would not all fit, the text ends after the
// last whole symbol that does (63 codes always fit). Always returns 1.
int ExpandPhonemeCodes(const char* codes, char (&baseform)[256]);

// The code of a phoneme symbol, or 0 when the symbol is not in the table.
uint8_t PhonemeCodeOf(std::string_view symbol);

// What the symbols of a baseform code to, symbols being what lies between
// spaces: an empty one stands for two spaces in a row or one at either end.
struct SymbolCodes {
  size_t count = 0;            // symbols that have a code
  bool emptySymbol = false;    // (an empty baseform is one empty symbol)
  bool unknownSymbol = false;  // a symbol that has no code
};

// Writes the code of each symbol of `baseform` that has one, in order, to
// `codes`, which has room for one byte per two bytes of the baseform and
// one more (nullptr: only count them); an empty or unknown symbol writes
// nothing and is only noted. One pass over the bytes, for writing many
// baseforms.
SymbolCodes CodePhonemeSymbols(std::string_view baseform, uint8_t* codes);
