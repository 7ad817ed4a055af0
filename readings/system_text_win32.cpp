#include <windows.h>

#include <climits>
#include <cstddef>
#include <vector>

#include "readings/system_text.h"

namespace {

constexpr UINT kShiftJis = 932;

bool ToWide(UINT codePage, std::string_view in, std::wstring& wide) {
  wide.clear();
  if (in.empty()) return true;
  if (in.size() > INT_MAX / 2) return false;
  const int size = static_cast<int>(in.size());
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, nullptr, 0);
  if (n <= 0) return false;
  wide.resize(static_cast<size_t>(n));
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), size, wide.data(), n) == n;
}

bool FromWide(UINT codePage, const std::wstring& wide, std::string& out) {
  out.clear();
  if (wide.empty()) return true;
  const int size = static_cast<int>(wide.size());
  // Code page 932 would put "?" for what it cannot hold: that must fail.
  const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultPtr = codePage == CP_UTF8 ? nullptr : &usedDefault;
  const int n = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, usedDefaultPtr);
  if (n <= 0 || usedDefault) return false;
  out.resize(static_cast<size_t>(n));
  return WideCharToMultiByte(codePage, flags, wide.data(), size, out.data(), n, nullptr, usedDefaultPtr) == n &&
         !usedDefault;
}

}  // namespace

bool ConvertSjisToUtf8(std::string_view in, std::string& out) {
  std::wstring wide;
  return ToWide(kShiftJis, in, wide) && FromWide(CP_UTF8, wide, out);
}

bool ConvertUtf8ToSjis(std::string_view in, std::string& out) {
  std::wstring wide;
  return ToWide(CP_UTF8, in, wide) && FromWide(kShiftJis, wide, out);
}

std::string ProgramFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      std::wstring folder(path.data(), n);
      const size_t slash = folder.find_last_of(L"\\/");
      if (slash == std::wstring::npos) return {};
      folder.resize(slash);
      std::string utf8;
      return FromWide(CP_UTF8, folder, utf8) ? utf8 : std::string();
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}
