#include <iconv.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>

#include "convert/sjis_text.h"

namespace {

// One descriptor per direction and thread, opened on first use: opening one
// costs more than converting a word.
class Converter {
 public:
  Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
  ~Converter() {
    if (cd_ != reinterpret_cast<iconv_t>(-1)) iconv_close(cd_);
  }
  Converter(const Converter&) = delete;
  Converter& operator=(const Converter&) = delete;

  bool Convert(std::string_view in, std::string& out) {
    if (cd_ == reinterpret_cast<iconv_t>(-1)) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    out.resize(in.size() * 2 + 16);  // either way at most doubles, plus the reset
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    char* dst = out.data();
    size_t dstLeft = out.size();
    if (iconv(cd_, &src, &srcLeft, &dst, &dstLeft) == static_cast<size_t>(-1)) return false;
    if (iconv(cd_, nullptr, nullptr, &dst, &dstLeft) == static_cast<size_t>(-1)) return false;
    out.resize(out.size() - dstLeft);
    return true;
  }

 private:
  iconv_t cd_;
};

// What each character converts to, asked of iconv the first time the
// character is met: a call costs iconv far more than a character, and the
// texts converted are mostly words of a few characters. Converting
// character by character gives what converting the whole text gives, the
// conversion keeping no state between characters; what iconv will not
// convert alone is left to it with the whole text, which then says what is
// wrong.
class CharacterCache {
 public:
  // The table is left to the system to clear, page by page as it is used:
  // most of it never is.
  explicit CharacterCache(size_t keys) : table_(static_cast<Entry*>(std::calloc(keys, sizeof(Entry)))) {}
  ~CharacterCache() { std::free(table_); }
  CharacterCache(const CharacterCache&) = delete;
  CharacterCache& operator=(const CharacterCache&) = delete;

  // The converted form of `character`, known by `key`; false when iconv
  // does not convert it alone.
  bool Find(uint32_t key, std::string_view character, Converter& converter, std::string_view& converted) {
    if (table_ == nullptr) return false;
    Entry& e = table_[key];
    if (e.state == kUnknown) {
      std::string out;
      const bool fits = converter.Convert(character, out) && !out.empty() && out.size() <= sizeof e.bytes;
      e.state = fits ? static_cast<uint8_t>(kLength + out.size()) : kRefused;
      if (fits) std::memcpy(e.bytes, out.data(), out.size());
    }
    if (e.state == kRefused) return false;
    converted = std::string_view(e.bytes, e.state - kLength);
    return true;
  }

 private:
  static constexpr uint8_t kUnknown = 0, kRefused = 1, kLength = 2;  // kLength + the number of bytes
  struct Entry {
    uint8_t state;  // kUnknown when zero
    char bytes[7];
  };
  Entry* table_;
};

}  // namespace

const SjisUtf8Table& SjisToUtf8Table() {
  static const SjisUtf8Table table = [] {
    Converter converter("UTF-8", "CP932");
    return SjisUtf8Table([&converter](std::string_view bytes, std::string& utf8) {
      return converter.Convert(bytes, utf8);
    });
  }();
  return table;
}

bool ConvertSjisToUtf8(std::string_view in, std::string& out) { return SjisToUtf8Table().Convert(in, out); }

bool ConvertUtf8ToSjis(std::string_view in, std::string& out) {
  thread_local Converter converter("CP932", "UTF-8");
  // By code point: code page 932 has nothing past U+FFFF.
  thread_local CharacterCache cache(0x10000);
  out.clear();
  std::string_view converted;
  for (size_t at = 0; at < in.size();) {
    const size_t length = Utf8CharacterLength(in.substr(at));
    if (length == 0 || length == 4) return converter.Convert(in, out);
    const auto* b = reinterpret_cast<const unsigned char*>(in.data() + at);
    const uint32_t code = length == 1   ? b[0]
                          : length == 2 ? (b[0] & 0x1Fu) << 6 | (b[1] & 0x3Fu)
                                        : (b[0] & 0x0Fu) << 12 | (b[1] & 0x3Fu) << 6 | (b[2] & 0x3Fu);
    if (!cache.Find(code, in.substr(at, length), converter, converted)) return converter.Convert(in, out);
    out.append(converted);
    at += length;
  }
  return true;
}
