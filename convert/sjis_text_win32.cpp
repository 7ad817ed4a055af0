#include <windows.h>

#include <climits>

#include "convert/sjis_text.h"
#include "convert/sjis_text_win32.h"

namespace {

bool ToWide(UINT codePage, DWORD flags, std::string_view in, std::wstring& out) {
  out.clear();
  if (in.empty()) return true;
  if (in.size() > INT_MAX / 2) return false;
  const int size = static_cast<int>(in.size());
  const int n = MultiByteToWideChar(codePage, flags, in.data(), size, nullptr, 0);
  if (n <= 0) return false;
  out.resize(static_cast<size_t>(n));
  return MultiByteToWideChar(codePage, flags, in.data(), size, out.data(), n) == n;
}

// Code page 932 would put "?" or a look-alike for what it cannot hold: that
// must fail instead.
bool FromWide(UINT codePage, std::wstring_view in, std::string& out) {
  out.clear();
  if (in.empty()) return true;
  if (in.size() > INT_MAX / 4) return false;
  const int size = static_cast<int>(in.size());
  const bool utf8 = codePage == CP_UTF8;
  const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultPtr = utf8 ? nullptr : &usedDefault;
  const int n = WideCharToMultiByte(codePage, flags, in.data(), size, nullptr, 0, nullptr, usedDefaultPtr);
  if (n <= 0 || usedDefault) return false;
  out.resize(static_cast<size_t>(n));
  return WideCharToMultiByte(codePage, flags, in.data(), size, out.data(), n, nullptr, usedDefaultPtr) == n &&
         !usedDefault;
}

}  // namespace

bool WideFromSjis(std::string_view in, std::wstring& out) {
  // Windows gives the unassigned single bytes characters of their own (0x80
  // as U+0080, 0xA0 and 0xFD to 0xFF in the private use area); they are no
  // characters here, as on every other system.
  for (size_t pos = 0; pos < in.size();) {
    const size_t length = SjisCharacterLength(in.substr(pos));
    if (length == 0) return false;
    pos += length;
  }
  return ToWide(kShiftJisCodePage, MB_ERR_INVALID_CHARS, in, out);
}

std::wstring DisplayWideFromSjis(std::string_view in) {
  std::wstring out;
  if (!ToWide(kShiftJisCodePage, 0, in, out)) out.clear();
  return out;
}

bool SjisFromWide(std::wstring_view in, std::string& out) { return FromWide(kShiftJisCodePage, in, out); }

std::string TypedSjisFromWide(std::wstring_view in) {
  if (in.empty() || in.size() > INT_MAX / 4) return {};
  const int size = static_cast<int>(in.size());
  const int n = WideCharToMultiByte(kShiftJisCodePage, 0, in.data(), size, nullptr, 0, nullptr, nullptr);
  if (n <= 0) return {};
  std::string out(static_cast<size_t>(n), '\0');
  const int written = WideCharToMultiByte(kShiftJisCodePage, 0, in.data(), size, out.data(), n, nullptr, nullptr);
  out.resize(written > 0 ? static_cast<size_t>(written) : 0);
  return out;
}

bool Utf8FromWide(std::wstring_view in, std::string& out) { return FromWide(CP_UTF8, in, out); }

bool WideFromUtf8(std::string_view in, std::wstring& out) { return ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, in, out); }

const SjisUtf8Table& SjisToUtf8Table() {
  static const SjisUtf8Table table([](std::string_view bytes, std::string& utf8) {
    std::wstring wide;
    return WideFromSjis(bytes, wide) && Utf8FromWide(wide, utf8);
  });
  return table;
}

bool ConvertSjisToUtf8(std::string_view in, std::string& out) { return SjisToUtf8Table().Convert(in, out); }

bool ConvertUtf8ToSjis(std::string_view in, std::string& out) {
  std::wstring wide;
  return WideFromUtf8(in, wide) && SjisFromWide(wide, out);
}
