#include "cli/display_text.h"

#include <array>
#include <cstdint>

#include "convert/sjis_text.h"

namespace {

constexpr bool IsControlByte(unsigned char b) { return b < 0x20 || b == 0x7F; }

char* WriteEscape(char* out, unsigned char b) {
  constexpr char kHex[] = "0123456789ABCDEF";
  *out++ = '\\';
  *out++ = 'x';
  *out++ = kHex[b >> 4];
  *out++ = kHex[b & 0x0F];
  return out;
}

// What a byte at the start of a character calls for in UTF-8 output,
// looked up rather than worked out for every byte.
enum ByteKind : uint8_t {
  kPlain,   // printable ASCII, which code page 932 keeps as it is
  kEscape,  // a control byte, or one that begins no character
  kSingle,  // a character of one byte
  kLead,    // the first of two, if a trail byte follows
};

constexpr std::array<uint8_t, 256> kByteKinds = [] {
  std::array<uint8_t, 256> kinds{};
  for (int i = 0; i < 256; ++i) {
    const auto b = static_cast<unsigned char>(i);
    const char c = static_cast<char>(i);
    if (IsControlByte(b) || (!IsSjisLeadByte(b) && SjisCharacterLength(std::string_view(&c, 1)) == 0)) {
      kinds[b] = kEscape;
    } else {
      kinds[b] = b < 0x80 ? kPlain : IsSjisLeadByte(b) ? kLead : kSingle;
    }
  }
  return kinds;
}();

}  // namespace

// Every byte gives at most four: an escape, or its character's UTF-8 (at
// most three bytes for one byte, six for two); the table's fixed-width copy
// may write a little past the last character.
size_t PrintableTextRoom(size_t size) { return 4 * size + SjisUtf8Table::kWriteRoom; }

char* WritePrintableText(std::string_view text, Encoding encoding, char* p) {
  const char* in = text.data();
  const char* const end = in + text.size();
  if (encoding == Encoding::kSjis) {
    for (; in < end; ++in) {
      const auto b = static_cast<unsigned char>(*in);
      if (IsControlByte(b)) {
        p = WriteEscape(p, b);
      } else {
        *p++ = *in;
      }
    }
  } else {
    const SjisUtf8Table& table = SjisToUtf8Table();
    while (in < end) {
      const auto b = static_cast<unsigned char>(*in);
      const uint8_t kind = kByteKinds[b];
      if (kind == kPlain) {
        *p++ = *in++;
        continue;
      }
      const size_t length = kind == kLead ? 2 : 1;
      if (kind == kEscape || static_cast<size_t>(end - in) < length) {
        p = WriteEscape(p, b);
        ++in;
        continue;
      }
      if (const size_t written = table.WriteUtf8(in, p); written > 0) {
        p += written;
        in += length;
        continue;
      }
      // No UTF-8: a lead byte whose next byte ends no pair is escaped alone
      // (the next byte is then a character of its own), a byte or pair that
      // code page 932 leaves unmapped byte by byte.
      const size_t escaped = kind == kLead && !IsSjisTrailByte(static_cast<unsigned char>(in[1])) ? 1 : length;
      for (size_t i = 0; i < escaped; ++i) p = WriteEscape(p, static_cast<unsigned char>(in[i]));
      in += escaped;
    }
  }
  return p;
}

void AppendPrintableText(std::string_view text, Encoding encoding, std::string& out) {
  const size_t start = out.size();
  out.resize(start + PrintableTextRoom(text.size()));
  char* const end = WritePrintableText(text, encoding, out.data() + start);
  out.resize(static_cast<size_t>(end - out.data()));
}

std::string PrintableText(std::string_view sjis, Encoding encoding) {
  std::string out;
  AppendPrintableText(sjis, encoding, out);
  return out;
}
