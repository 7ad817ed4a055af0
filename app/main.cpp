#include <windows.h>

#include <cstdlib>

#include "app/main_window.h"

// The runtime has split the command line into __argc and __argv (ANSI, the
// usual quoting rules) and computed the show command from the start-up info.
int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  return RunLexiforge(instance, show, __argc, __argv);
}
