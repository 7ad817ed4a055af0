// Times what the user waits for in the real main window, each step up to the
// repainted window: opening a text word list given on the command line,
// sorting it by clicks on column headers, New, opening it again over a full
// list, New and its undo and redo, undoing a sort, a search that finds
// nothing, F8 and Shift+F8, opening it once more over the emptied list, and
// closing the window. Given a second list of words without readings, it then
// times the reading fill on it, the fill's undo and redo (and the memory the
// fill's step keeps), F8 over the filled rows, and Esc pressed during a
// second fill as soon as it shows its progress.
// Run under Wine on a display:
//
//   window_bench.exe [word list [words without readings]]
//   (default: the bench data's words.txt, no fill)
//
// Targets for 1,000,000 lines: open < 1.5 s, sort < 0.5 s, New, open over a
// full list and close < 0.2 s each beyond the reading itself; 100,000 lines
// open in < 0.2 s; a search well under a second; F8 and Shift+F8 <= 0.05 s;
// undo and redo of any step <= 0.5 s; the fill within 1.5 times
// `lexiforge-cli show --fill-readings` on the same file (100,000 lines
// under 2 s), its step keeping at most 16 bytes a row beside the texts it
// replaced, and stopped by Esc within 0.3 s. Prints
// one line per step and the memory the rows take; exits 1 when the list
// cannot be read. It drives the window only by its messages, so that it measures any
// version of the program alike.

#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdint>
#include <cstdio>
#include <string_view>
#include <vector>

#include "app/main_window.h"
#include "wordlist/word_list.h"
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

// The fill ends with a message box; the bench answers it (and any other box
// of its thread) with OK from a timer the box's own loop runs.
BOOL CALLBACK CloseDialog(HWND window, LPARAM) {
  char name[16] = {};
  GetClassNameA(window, name, sizeof name);
  if (std::string_view(name) == "#32770" && IsWindowVisible(window)) PostMessageA(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

void CALLBACK CloseDialogs(HWND, UINT, UINT_PTR, DWORD) { EnumThreadWindows(GetCurrentThreadId(), CloseDialog, 0); }

// Esc as a user presses it on seeing a step's progress in the status bar
// (which a step shows once it has run half a second): a key-down sent to the
// window that has the keyboard focus.
HWND g_main = nullptr;
LARGE_INTEGER g_escapePressed;
void CALLBACK PressEscapeOnProgress(HWND, UINT, UINT_PTR timer, DWORD) {
  HWND bar = GetDlgItem(g_main, IDC_STATUS_BAR);
  if (LOWORD(SendMessageW(bar, SB_GETTEXTLENGTHW, 2, 0)) == 0) return;
  KillTimer(nullptr, timer);
  QueryPerformanceCounter(&g_escapePressed);
  HWND focus = GetFocus();
  PostMessageA(focus ? focus : GetActiveWindow(), WM_KEYDOWN, VK_ESCAPE, 1);
}

// Every text of every row, folded into one number, to tell whether the rows
// are as they were.
uint64_t RowsChecksum(WordList table) {
  uint64_t sum = 1469598103934665603ull;
  for (int row = 0; row < RowCount(table); ++row) {
    for (int column = 0; column < kWordColumns; ++column) {
      for (const char c : WordRowText(table, row, column)) sum = (sum ^ static_cast<unsigned char>(c)) * 1099511628211ull;
      sum = (sum ^ 0xFF) * 1099511628211ull;
    }
  }
  return sum;
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

void BenchFill(HWND main, HWND list, const char* bare) {
  const WordList table = WordTableOf(list);
  Timed(main, "open the words without readings", [&] { OpenCommandLineFile(main, bare); });
  std::printf("rows: %d\n", Rows(list));
  const uint64_t before = RowsChecksum(table);
  const size_t steps = HistoryOf(list)->UndoCount();
  // What the fill may change of the rows it fills: their readings (empty)
  // and baseforms.
  double oldTexts = 0;
  for (int row = 0; row < RowCount(table); ++row) {
    if (WordRowText(table, row, 1).empty()) oldTexts += static_cast<double>(WordRowText(table, row, 2).size());
  }
  const UINT_PTR closer = SetTimer(nullptr, 0, 20, CloseDialogs);
  const double memoryBefore = PrivateBytes();
  Timed(main, "fill readings", [&] { SendMessageA(main, WM_COMMAND, IDM_FILL_READINGS, 0); });
  std::printf("memory the fill added: %.1f MB\n", (PrivateBytes() - memoryBefore) / 1e6);
  {
    // The fill's step against what it changed: the filled rows' old texts
    // and the bytes a row beyond them.
    int filled = 0;
    for (int row = 0; row < RowCount(table); ++row) filled += !WordRowText(table, row, 1).empty();
    const double step = static_cast<double>(HistoryOf(list)->LastStepMemory());
    std::printf("the fill's step keeps %.1f MB for %d rows: %.1f bytes a row beside their old texts' %.1f\n",
                step / 1e6, filled, filled ? (step - oldTexts) / filled : 0.0, filled ? oldTexts / filled : 0.0);
  }
  Timed(main, "undo of the fill", [&] { SendMessageA(main, WM_COMMAND, IDM_UNDO, 0); });
  std::printf("rows as before the fill: %s\n", RowsChecksum(table) == before ? "yes" : "NO");
  Timed(main, "redo of the fill", [&] { SendMessageA(main, WM_COMMAND, IDM_REDO, 0); });
  Timed(main, "undo of the fill, again", [&] { SendMessageA(main, WM_COMMAND, IDM_UNDO, 0); });
  Timed(main, "redo of the fill, again", [&] { SendMessageA(main, WM_COMMAND, IDM_REDO, 0); });
  std::printf("memory after fill, undo and redo: %.1f MB over the list before\n",
              (PrivateBytes() - memoryBefore) / 1e6);
  SendMessageA(list, WM_KEYDOWN, VK_HOME, 0);
  Timed(main, "F8 over the filled rows", [&] { SendMessageA(main, WM_COMMAND, IDM_NEXT_ATTENTION, 0); });
  Timed(main, "shift+F8", [&] { SendMessageA(main, WM_COMMAND, IDM_PREVIOUS_ATTENTION, 0); });
  Timed(main, "F8 after the fill's undo", [&] {
    SendMessageA(main, WM_COMMAND, IDM_UNDO, 0);
    SendMessageA(main, WM_COMMAND, IDM_NEXT_ATTENTION, 0);
  });
  const uint64_t unfilled = RowsChecksum(table);
  const size_t undoSteps = HistoryOf(list)->UndoCount();
  g_escapePressed.QuadPart = 0;
  g_main = main;
  const UINT_PTR escape = SetTimer(nullptr, 0, 10, PressEscapeOnProgress);
  const LARGE_INTEGER start = Now();
  SendMessageA(main, WM_COMMAND, IDM_FILL_READINGS, 0);
  if (g_escapePressed.QuadPart == 0) {
    KillTimer(nullptr, escape);
    std::printf("%-40s %8.3f s (it showed no progress to stop)\n", "fill again, to be stopped by Esc", Seconds(start));
  } else {
    std::printf("%-40s %8.3f s\n", "Esc during the fill: stopped after", Seconds(g_escapePressed));
    std::printf("rows and steps as before the stopped fill: %s\n",
                RowsChecksum(table) == unfilled && HistoryOf(list)->UndoCount() == undoSteps ? "yes" : "NO");
  }
  (void)steps;
  KillTimer(nullptr, closer);
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
  if (argc > 2) BenchFill(main, list, argv[2]);
  Timed(main, "close the window", [&] { DestroyWindow(main); });
  return 0;
}
