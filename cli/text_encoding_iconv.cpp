#include <iconv.h>

#include <cerrno>

#include "cli/text_encoding.h"

namespace {

// One conversion descriptor per direction, opened on first use and reused;
// each call starts from the initial shift state.
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
    out.resize(in.size() * 2 + 16);  // Shift-JIS <-> UTF-8 at most doubles (plus the reset)
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

bool SjisFromUtf8(std::string_view in, std::string& out) {
  static Converter converter("CP932", "UTF-8");
  return converter.Convert(in, out);
}

bool Utf8FromSjis(std::string_view in, std::string& out) {
  static Converter converter("UTF-8", "CP932");
  return converter.Convert(in, out);
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

std::vector<bool> ExactArguments(int argc, char**) { return std::vector<bool>(static_cast<size_t>(argc), true); }
