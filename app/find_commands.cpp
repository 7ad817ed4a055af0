#include "app/find_commands.h"

#include <string>
#include <vector>

#include "app/commands.h"
#include "app/find_dialog.h"
#include "files/pool_file.h"
#include "res/messages.h"
#include "res/resource_ids.h"
#include "wordlist/row_attention.h"
#include "app/word_list_view.h"

namespace {

// The last search, repeated by F3 and Shift+F3; proposed by the next dialog.
FindRequest g_lastSearch;
bool g_searched = false;

// The row found, or a message that there is none; nothing else changes.
void Search(HWND main, bool forward) {
  HWND list = WordListOf(main);
  const WordList table = WordTableOf(list);
  const int row = FindWordRow(table, FocusedRow(table), forward, g_lastSearch);
  if (row >= 0) {
    ShowOnlyRow(list, row);
    return;
  }
  ShowProgramMessage(main, IDS_NOT_FOUND, MB_ICONINFORMATION, {g_lastSearch.text});
}

}  // namespace

void FindRowCommand(HWND main) {
  if (!AskWhatToFind(main, g_lastSearch)) return;
  g_searched = true;
  Search(main, true);
}

void FindAgain(HWND main, bool forward) {
  if (!g_searched) {
    FindRowCommand(main);
    return;
  }
  Search(main, forward);
}

// Rows Build pool would leave out need attention too, by the pool writer's
// own check. Without the memory to look at every row, the user is told that
// the rows could not be looked at, rather than that none needs attention.
void GoToAttentionRow(HWND main, bool forward) {
  HWND list = WordListOf(main);
  const WordList table = WordTableOf(list);
  AttentionIndex& attention = *AttentionOf(list);
  if (!attention.Update(table)) {
    ShowProgramMessage(main, IDS_OUT_OF_MEMORY, MB_ICONERROR);
    return;
  }
  const int row = NextAttentionRow(attention.flags(), FocusedRow(table), forward);
  if (row < 0) {
    ShowProgramMessage(main, IDS_NO_ATTENTION_ROWS, MB_ICONINFORMATION);
    return;
  }
  ShowOnlyRow(list, row);
}

void ForgetLastSearch() {
  g_lastSearch = {};
  g_searched = false;
}
