#include "cli/display_text.h"

#include "convert/sjis_text.h"

namespace {

bool IsControlByte(unsigned char b) { return b < 0x20 || b == 0x7F; }

void AppendEscape(std::string& out, unsigned char b) {
  constexpr char kHex[] = "0123456789ABCDEF";
  const char escape[] = {'\\', 'x', kHex[b >> 4], kHex[b & 0x0F]};
  out.append(escape, sizeof escape);
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

void AppendPrintableText(std::string_view text, Encoding encoding, std::string& out) {
  const SjisUtf8Table* table = encoding == Encoding::kUtf8 ? &SjisToUtf8Table() : nullptr;
  while (!text.empty()) {
    const size_t run = PlainRun(text, encoding);
    out.append(text.data(), run);
    text.remove_prefix(run);
    if (text.empty()) break;
    const auto b = static_cast<unsigned char>(text[0]);
    const size_t length = IsControlByte(b) ? 0 : SjisCharacterLength(text);
    if (length == 0) {
      AppendEscape(out, b);
      text.remove_prefix(1);
      continue;
    }
    if (const std::string_view utf8 = table->Of(text); !utf8.empty()) {
      out.append(utf8);
    } else {
      for (size_t i = 0; i < length; ++i) AppendEscape(out, static_cast<unsigned char>(text[i]));
    }
    text.remove_prefix(length);
  }
}

std::string PrintableText(std::string_view sjis, Encoding encoding) {
  std::string out;
  AppendPrintableText(sjis, encoding, out);
  return out;
}
