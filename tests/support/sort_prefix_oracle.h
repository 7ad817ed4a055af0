#pragma once
// What the sort looks at, computed here for the tests without the product's
// helpers: the first 29 bytes of a text, cut after the last whole character
// (a lead byte is 0x81 to 0x9F or 0xE0 to 0xFC and takes the next byte with
// it).

#include <string>

inline std::string OracleSortPrefix(const std::string& text) {
  size_t end = 0;
  while (end < text.size()) {
    const auto lead = static_cast<unsigned char>(text[end]);
    const size_t width = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC) ? 2 : 1;
    if (end + width > 29) break;
    end += width;
  }
  return text.substr(0, end);
}
