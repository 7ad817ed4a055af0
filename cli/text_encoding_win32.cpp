#include <windows.h>
#include <shellapi.h>

#include "cli/text_encoding.h"
#include "convert/sjis_text_win32.h"

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  if (count >= argc) {
    for (int i = 0; i < argc; ++i) {
      std::string utf8;
      if (Utf8FromWide(wide[count - argc + i], utf8)) args[i] = utf8;
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
      // argv is in the ANSI code page: the one place that code page matters.
      const wchar_t* typed = wide[count - argc + i];
      BOOL usedDefault = FALSE;
      const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, typed, -1, nullptr, 0, nullptr, &usedDefault);
      std::string ansi(n > 0 ? static_cast<size_t>(n) : 0, '\0');
      const bool converted = n > 0 && !usedDefault &&
                             WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, typed, -1, ansi.data(), n, nullptr,
                                                 &usedDefault) == n &&
                             !usedDefault;
      exact[static_cast<size_t>(i)] = converted && std::string_view(ansi.c_str()) == argv[i];
    }
  }
  LocalFree(wide);
  return exact;
}
