// Times what the user waits for in the real main window, each step up to the
// repainted window: opening a text word list given on the command line,
// sorting it by clicks on column headers, New, opening it again over a full
// list, New and its undo and redo, undoing a sort, a search that finds
// nothing, F8 and Shift+F8, opening it once more over the emptied list, and
// closing the window.
// Run under Wine on a display:
//
//   window_bench.exe [word list]   (default: the bench data's words.txt)
//
// Targets for 1,000,000 lines: open < 1.5 s, sort < 0.5 s, New, open over a
// full list and close < 0.2 s each beyond the reading itself; 100,000 lines
// open in < 0.2 s; undo of New, a search and F8 well under a second. Prints
// one line per step and the memory the rows take; exits 1 when the list
// cannot be read. It drives the window only by its messages, so that it measures any
// version of the program alike.

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <vector>

#include "app/main_window.h"
#include "res/resource_ids.h"
#include "wordlist/row_attention.h"
#include "wordlist/row_find.h"
#include "app/word_list_view.h"

namespace {

double Seconds(LARGE_INTEGER start) {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now;
}

void ClickColumn(HWND main, HWND list, int column) {
  NMLISTVIEW click{};
  click.hdr = {list, IDC_WORD_LIST, static_cast<UINT>(LVN_COLUMNCLICK)};
  click.iItem = -1;
  click.iSubItem = column;
  SendMessageA(main, WM_NOTIFY, IDC_WORD_LIST, reinterpret_cast<LPARAM>(&click));
}

// The process's memory in bytes: its private bytes where the system counts
// them, otherwise its working set.
double PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return static_cast<double>(counters.PrivateUsage ? counters.PrivateUsage : counters.WorkingSetSize);
}

int Rows(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)); }

// Runs `step` and repaints; prints and returns the time it took.
template <typename Step>
double Timed(HWND main, const char* what, Step step) {
  const LARGE_INTEGER start = Now();
  step();
  UpdateWindow(main);
  const double seconds = Seconds(start);
  std::printf("%-40s %8.3f s\n", what, seconds);
  std::fflush(stdout);
  return seconds;
}

}  // namespace

int main(int argc, char** argv) {
  const char* path = argc > 1 ? argv[1] : LEXIFORGE_BENCH_DATA "/words.txt";
  HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!RegisterMainWindowClass(instance)) return 1;
  HWND main = CreateMainWindow(instance);
  if (!main) return 1;
  ShowWindow(main, SW_SHOW);
  UpdateWindow(main);
  HWND list = GetDlgItem(main, IDC_WORD_LIST);

  const double memoryBefore = PrivateBytes();
  Timed(main, "open (empty list)", [&] { OpenCommandLineFile(main, path); });
  const int rows = Rows(list);
  if (rows == 0) {
    std::fprintf(stderr, "window_bench: no rows from %s\n", path);
    return 1;
  }
  std::printf("rows: %d, private memory per row: %.1f bytes\n", rows, (PrivateBytes() - memoryBefore) / rows);
  Timed(main, "sort by word, ascending", [&] { ClickColumn(main, list, 0); });
  Timed(main, "sort by word, descending", [&] { ClickColumn(main, list, 0); });
  Timed(main, "sort by reading, ascending", [&] { ClickColumn(main, list, 1); });
  Timed(main, "open over the full list", [&] { OpenCommandLineFile(main, path); });
  Timed(main, "new", [&] { SendMessageA(main, WM_COMMAND, IDM_NEW, 0); });
  Timed(main, "undo of new", [&] { SendMessageA(main, WM_COMMAND, IDM_UNDO, 0); });
  Timed(main, "redo of new", [&] { SendMessageA(main, WM_COMMAND, IDM_REDO, 0); });
  Timed(main, "undo of new, again", [&] { SendMessageA(main, WM_COMMAND, IDM_UNDO, 0); });
  Timed(main, "sort by baseform, ascending", [&] { ClickColumn(main, list, 2); });
  Timed(main, "undo of that sort", [&] { SendMessageA(main, WM_COMMAND, IDM_UNDO, 0); });
  // A search that finds nothing looks at every text of every row.
  const FindRequest nowhere{"\x82\xA0\x82\xA0\x82\xA0\x82\xA0", kFindAllColumns, false};
  Timed(main, "find, part of any column, not found", [&] { FindWordRow(WordTableOf(list), -1, true, nowhere); });
  const FindRequest whole{"\x82\xA0\x82\xA0\x82\xA0\x82\xA0", 1, true};
  Timed(main, "find, whole reading, not found", [&] { FindWordRow(WordTableOf(list), -1, true, whole); });
  std::vector<uint8_t> flags;
  FindAttentionRows(WordTableOf(list), flags);
  const AttentionCounts counts = CountAttention(flags);
  std::printf("rows that need attention: %d\n", counts.rows);
  if (counts.rows > 0) {
    Timed(main, "F8, next row that needs attention", [&] { SendMessageA(main, WM_COMMAND, IDM_NEXT_ATTENTION, 0); });
    Timed(main, "shift+F8, the previous one", [&] {
      SendMessageA(main, WM_COMMAND, IDM_PREVIOUS_ATTENTION, 0);
    });
  }
  Timed(main, "open again (emptied list)", [&] { OpenCommandLineFile(main, path); });
  Timed(main, "close the window", [&] { DestroyWindow(main); });
  return 0;
}
