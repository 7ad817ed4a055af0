#include <windows.h>
#include <shellapi.h>

#include "cli/text_encoding.h"

namespace {

constexpr UINT kShiftJis = 932;

bool Widen(UINT codePage, std::string_view in, std::wstring& wide) {
  wide.clear();
  if (in.empty()) return true;
  const int n = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), nullptr, 0);
  if (n <= 0) return false;
  wide.resize(static_cast<size_t>(n));
  return MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, in.data(), static_cast<int>(in.size()), wide.data(), n) == n;
}

// Code page 932 takes no replacement characters: a character it cannot hold
// makes the conversion fail instead of turning into "?".
bool Narrow(UINT codePage, const std::wstring& wide, std::string& out) {
  out.clear();
  if (wide.empty()) return true;
  BOOL usedDefault = FALSE;
  BOOL* usedDefaultArg = codePage == CP_UTF8 ? nullptr : &usedDefault;
  const DWORD flags = codePage == CP_UTF8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
  const int n = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, nullptr,
                                    usedDefaultArg);
  if (n <= 0 || usedDefault) return false;
  out.resize(static_cast<size_t>(n));
  return WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), out.data(), n, nullptr,
                             usedDefaultArg) == n &&
         !usedDefault;
}

}  // namespace

bool SjisFromUtf8(std::string_view in, std::string& out) {
  std::wstring wide;
  return Widen(CP_UTF8, in, wide) && Narrow(kShiftJis, wide, out);
}

bool Utf8FromSjis(std::string_view in, std::string& out) {
  std::wstring wide;
  return Widen(kShiftJis, in, wide) && Narrow(CP_UTF8, wide, out);
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  if (count >= argc) {
    for (int i = 0; i < argc; ++i) {
      std::string utf8;
      if (Narrow(CP_UTF8, wide[count - argc + i], utf8)) args[i] = utf8;
    }
  }
  LocalFree(wide);
  return args;
}

std::vector<bool> ExactArguments(int argc, char** argv) {
  std::vector<bool> exact(static_cast<size_t>(argc), true);
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return exact;
  if (count >= argc) {
    for (int i = 0; i < argc; ++i) {
      std::string ansi;
      exact[static_cast<size_t>(i)] = Narrow(CP_ACP, wide[count - argc + i], ansi) && ansi == argv[i];
    }
  }
  LocalFree(wide);
  return exact;
}
