// Any bytes as a coded baseform: the expansion stays inside the field, gives
// a well-formed baseform, and every symbol in it codes back to a byte of the
// input, in order.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "convert/phoneme_codes.h"
#include "fuzz/baseform_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string codes(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));
  struct {
    char baseform[256];
    char after[16];
  } out;
  std::memset(&out, 0, sizeof out);
  std::memset(out.after, 0x5A, sizeof out.after);

  if (ExpandPhonemeCodes(codes.c_str(), out.baseform) != 1) std::abort();
  for (char c : out.after) {
    if (c != 0x5A) std::abort();
  }
  CheckBaseformShape(out.baseform, sizeof out.baseform);

  // Re-code the text and compare with the input's known codes.
  std::string known;
  for (unsigned char c : codes) {
    if (c >= 4 && c <= 58) known.push_back(static_cast<char>(c));
  }
  std::string recoded;
  const std::string text = out.baseform;
  for (size_t start = 0; start < text.size();) {
    size_t end = text.find(' ', start);
    if (end == std::string::npos) end = text.size();
    const uint8_t code = PhonemeCodeOf(text.substr(start, end - start));
    if (code == 0) std::abort();
    recoded.push_back(static_cast<char>(code));
    start = end + 1;
  }
  if (known.compare(0, recoded.size(), recoded) != 0) std::abort();
  if (recoded.size() < known.size() && text.size() < 252) std::abort();  // cut although it fit
  return 0;
}
