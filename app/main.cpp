#include <windows.h>
#include <shellapi.h>

#include "app/main_window.h"

// The command line is split by the system's rules (white space separates
// arguments, double quotes group one that holds spaces), in UTF-16 whatever
// the ANSI code page.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  int argc = 0;
  LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const int code = RunLexiforge(instance, show, argv && argc > 1 ? argv[1] : nullptr);
  LocalFree(argv);
  return code;
}
