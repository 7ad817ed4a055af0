#include "cli/display_text.h"

#include <cstring>

#include "convert/sjis_text.h"

namespace {

bool IsControlByte(unsigned char b) { return b < 0x20 || b == 0x7F; }

char* WriteEscape(char* out, unsigned char b) {
  constexpr char kHex[] = "0123456789ABCDEF";
  *out++ = '\\';
  *out++ = 'x';
  *out++ = kHex[b >> 4];
  *out++ = kHex[b & 0x0F];
  return out;
}

// The length of the run of bytes at the start of `text` that go out as they
// are: in Shift-JIS every byte but the control bytes, in UTF-8 printable
// ASCII (which code page 932 keeps as it is).
size_t PlainRun(std::string_view text, Encoding encoding) {
  size_t run = 0;
  for (; run < text.size(); ++run) {
    const auto b = static_cast<unsigned char>(text[run]);
    if (IsControlByte(b) || (encoding == Encoding::kUtf8 && b >= 0x80)) break;
  }
  return run;
}

}  // namespace

// Every byte gives at most four: an escape, or its character's UTF-8 (at
// most three bytes for one byte, six for two). The output is written in place
// into room made for that much, then cut to what was written.
void AppendPrintableText(std::string_view text, Encoding encoding, std::string& out) {
  const SjisUtf8Table* table = encoding == Encoding::kUtf8 ? &SjisToUtf8Table() : nullptr;
  const size_t start = out.size();
  out.resize(start + 4 * text.size());
  char* p = out.data() + start;
  while (!text.empty()) {
    const size_t run = PlainRun(text, encoding);
    std::memcpy(p, text.data(), run);
    p += run;
    text.remove_prefix(run);
    if (text.empty()) break;
    const auto b = static_cast<unsigned char>(text[0]);
    const size_t length = IsControlByte(b) ? 0 : SjisCharacterLength(text);
    if (length == 0) {
      p = WriteEscape(p, b);
      text.remove_prefix(1);
      continue;
    }
    if (const std::string_view utf8 = table->Of(text); !utf8.empty()) {
      std::memcpy(p, utf8.data(), utf8.size());
      p += utf8.size();
    } else {
      for (size_t i = 0; i < length; ++i) p = WriteEscape(p, static_cast<unsigned char>(text[i]));
    }
    text.remove_prefix(length);
  }
  out.resize(static_cast<size_t>(p - out.data()));
}

std::string PrintableText(std::string_view sjis, Encoding encoding) {
  std::string out;
  AppendPrintableText(sjis, encoding, out);
  return out;
}
