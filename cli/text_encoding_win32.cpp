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

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
  int count = 0;
  LPWSTR* wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (!wide) return args;
  if (count == argc) {
    for (int i = 0; i < argc; ++i) args[static_cast<size_t>(i)] = TypedSjisFromWide(wide[i]);
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
      std::string sjis;
      exact[static_cast<size_t>(i)] = SjisFromWide(wide[count - argc + i], sjis) && sjis == argv[i];
    }
  }
  LocalFree(wide);
  return exact;
}
