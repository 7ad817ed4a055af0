#pragma once
// Test texts are written in UTF-8 and turned into the Shift-JIS bytes the
// system works with. Only what the tests need: ASCII, hiragana, katakana and
// the long-vowel mark, the ideographic space and a few kanji.

#include <stdexcept>
#include <string>
#include <string_view>

inline std::string Sjis(std::string_view utf8) {
  std::string out;
  for (size_t i = 0; i < utf8.size();) {
    const auto b0 = static_cast<unsigned char>(utf8[i]);
    if (b0 < 0x80) {
      out.push_back(static_cast<char>(b0));
      ++i;
      continue;
    }
    if ((b0 & 0xF0) != 0xE0 || i + 2 >= utf8.size()) throw std::invalid_argument("Sjis: unsupported UTF-8");
    const char32_t cp = ((b0 & 0x0F) << 12) | ((static_cast<unsigned char>(utf8[i + 1]) & 0x3F) << 6) |
                        (static_cast<unsigned char>(utf8[i + 2]) & 0x3F);
    i += 3;
    unsigned lead = 0, trail = 0;
    if (cp >= 0x3041 && cp <= 0x3093) {  // hiragana
      lead = 0x82, trail = 0x9F + (cp - 0x3041);
    } else if (cp >= 0x30A1 && cp <= 0x30DF) {  // katakana ァ..ミ
      lead = 0x83, trail = 0x40 + (cp - 0x30A1);
    } else if (cp >= 0x30E0 && cp <= 0x30F6) {  // katakana ム..ヶ (0x7F is skipped)
      lead = 0x83, trail = 0x80 + (cp - 0x30E0);
    } else if (cp == 0x30FC) {
      lead = 0x81, trail = 0x5B;
    } else if (cp == 0x3000) {
      lead = 0x81, trail = 0x40;
    } else if (cp == 0xFF1F) {  // full-width question mark
      lead = 0x81, trail = 0x48;
    } else if (cp == 0x8868) {  // 表, whose trail byte is the ASCII backslash
      lead = 0x95, trail = 0x5C;
    } else if (cp == 0x5358) {  // 単
      lead = 0x92, trail = 0x50;
    } else if (cp == 0x8A9E) {  // 語
      lead = 0x8C, trail = 0xEA;
    } else if (cp >= 0xFF61 && cp <= 0xFF9F) {  // half-width katakana: one byte
      out.push_back(static_cast<char>(0xA1 + (cp - 0xFF61)));
      continue;
    } else {
      throw std::invalid_argument("Sjis: character not in the test table");
    }
    out.push_back(static_cast<char>(lead));
    out.push_back(static_cast<char>(trail));
  }
  return out;
}
