// Any bytes as a reading: the conversion answers 1, 0, -1 or -2, leaves the
// destination alone for -1 and -2, and otherwise writes a well-formed
// baseform that stays inside its 256 bytes. The key lookup must agree with the
// conversion of a whole key.

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "convert/reading_conversion.h"
#include "fuzz/baseform_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string reading(reinterpret_cast<const char*>(data), strnlen(reinterpret_cast<const char*>(data), size));

  // The destination sits between guard bytes so that a write past it shows.
  struct {
    char before[16];
    char baseform[kBaseformSize];
    char after[16];
  } out;
  std::memset(&out, 0x5A, sizeof out);
  out.baseform[kBaseformSize - 1] = '\0';

  const int result = ConvertReadingToBaseform(reading.c_str(), out.baseform);
  for (int i = 0; i < 16; ++i) {
    if (out.before[i] != 0x5A || out.after[i] != 0x5A) std::abort();
  }
  if (result == -1 || result == -2) {
    for (size_t i = 0; i + 1 < kBaseformSize; ++i) {
      if (out.baseform[i] != 0x5A) std::abort();  // written although refused
    }
    if (result == -1 && !reading.empty()) std::abort();
    return 0;
  }
  if (result != 0 && result != 1) std::abort();
  CheckBaseformShape(out.baseform, kBaseformSize);
  if ((result == 0) != (std::strchr(out.baseform, '*') != nullptr)) std::abort();

  char phoneme[kPhonemeBufferSize] = {};
  if (LookupKanaPhoneme(reading.c_str(), phoneme) == 1) {
    if (result != 1 || std::strcmp(phoneme, out.baseform) != 0) std::abort();
  }
  return 0;
}
