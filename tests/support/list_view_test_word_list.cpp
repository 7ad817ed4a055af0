// The test word list on the list-view backend: a list control in a hidden
// window of its own, set up as the program sets up its list.

#include <windows.h>
#include <commctrl.h>

#include "tests/support/test_word_list.h"
#include "wordlist/word_list_view.h"

WordList CreateTestWordList() {
  InitCommonControls();
  HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 600, 400, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
  HWND list = CreateWordList(parent);
  SetUpWordList(list);
  return AsWordList(list);
}

void DestroyTestWordList(WordList list) { DestroyWindow(GetParent(ListWindow(list))); }
