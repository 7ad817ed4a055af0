#include <iconv.h>

#include <cstddef>

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
  return converter.Convert(in, out);
}
