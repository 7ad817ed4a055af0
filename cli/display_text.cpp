#include "cli/display_text.h"

#include "convert/sjis_text.h"

namespace {

bool IsControlByte(unsigned char b) { return b < 0x20 || b == 0x7F; }

void AppendEscape(std::string& out, unsigned char b) {
  constexpr char kHex[] = "0123456789ABCDEF";
  const char escape[] = {'\\', 'x', kHex[b >> 4], kHex[b & 0x0F]};
  out.append(escape, sizeof escape);
}

}  // namespace

// Characters that need no escape are appended a run at a time.
void AppendPrintableField(std::string_view text, Encoding encoding, std::string& piece) {
  while (!text.empty()) {
    size_t run = 0;
    for (;;) {
      if (run == text.size()) break;
      const auto b = static_cast<unsigned char>(text[run]);
      const size_t length = IsControlByte(b) ? 0 : encoding == Encoding::kSjis ? 1 : SjisCharacterLength(text.substr(run));
      if (length == 0) break;
      run += length;
    }
    piece.append(text.data(), run);
    text.remove_prefix(run);
    if (text.empty()) break;
    AppendEscape(piece, static_cast<unsigned char>(text[0]));
    text.remove_prefix(1);
  }
}

void ConvertPrintable(const std::string& piece, Encoding encoding, std::string& out) {
  if (encoding == Encoding::kSjis) {
    out = piece;
    return;
  }
  if (ConvertSjisToUtf8(piece, out)) return;
  // The piece holds a character with no Unicode mapping: convert one
  // character at a time and escape those that fail.
  out.clear();
  std::string converted;
  std::string_view rest = piece;
  while (!rest.empty()) {
    const size_t length = IsSjisLeadByte(static_cast<unsigned char>(rest[0])) && rest.size() >= 2 ? 2 : 1;
    const std::string_view character = rest.substr(0, length);
    if (static_cast<unsigned char>(character[0]) < 0x80) {
      out.append(character);
    } else if (ConvertSjisToUtf8(character, converted)) {
      out.append(converted);
    } else {
      for (const char c : character) AppendEscape(out, static_cast<unsigned char>(c));
    }
    rest.remove_prefix(length);
  }
}

std::string PrintableText(std::string_view sjis, Encoding encoding) {
  std::string piece, out;
  AppendPrintableField(sjis, encoding, piece);
  ConvertPrintable(piece, encoding, out);
  return out;
}
