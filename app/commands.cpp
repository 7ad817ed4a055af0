#include "app/commands.h"

#include <cstdio>
#include <cstring>

#include "app/message_box.h"
#include "import/open_file_dialog.h"
#include "res/resource_ids.h"
#include "wordlist/entry_dialog.h"
#include "wordlist/word_list_view.h"

namespace {

constexpr char kUntitled[] = "無題";
constexpr char kLoadFailedText[] = "ﾌｧｲﾙを読み込めませんでした";

// The path, or "無題", and the program's name.
constexpr size_t kTitleSize = kFilePathSize + sizeof " - Corvane Lexiforge";

WordList ListOf(HWND main) { return AsWordList(WordListOf(main)); }

HINSTANCE InstanceOf(HWND window) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

// Reading a further file must not change the current file, but the dialogs
// that read text word lists and grammar files write the chosen file into its
// buffers; the command puts the current file back afterwards.
template <typename Dialog>
void ReadFurtherFile(HWND main, Dialog dialog) {
  char path[kFilePathSize];
  char title[kFileTitleSize];
  std::memcpy(path, CurrentFilePath, sizeof path);
  std::memcpy(title, CurrentFileTitle, sizeof title);
  if (dialog() == 0) ShowLoadFailure(main);
  std::memcpy(CurrentFilePath, path, sizeof path);
  std::memcpy(CurrentFileTitle, title, sizeof title);
}

INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG: return FALSE;  // no default focus asked for
    case WM_COMMAND:
      if (LOWORD(wParam) != IDOK && LOWORD(wParam) != IDCANCEL) return FALSE;
      EndDialog(dialog, LOWORD(wParam));
      return TRUE;
    default: return FALSE;
  }
}

}  // namespace

HWND WordListOf(HWND main) { return GetDlgItem(main, IDC_WORD_LIST); }

void ShowCurrentFileInTitle(HWND main) {
  char title[kTitleSize];
  const char* name = CurrentFilePath[0] != '\0' ? CurrentFilePath : kUntitled;
  std::snprintf(title, sizeof title, "%.*s - Corvane Lexiforge", static_cast<int>(strnlen(name, kFilePathSize)),
                name);
  SetWindowTextA(main, title);
}

void ShowLoadFailure(HWND main) { ShowMessage(main, kLoadFailedText, MB_ICONERROR); }

void NewWordList(HWND main) {
  CurrentFilePath[0] = '\0';
  CurrentFileTitle[0] = '\0';
  ClearWordList(ListOf(main));
  ShowCurrentFileInTitle(main);
}

void OpenWordList(HWND main) {
  const int result = OpenTextWordListDialog(main, ListOf(main), false);
  if (result == 1) ShowCurrentFileInTitle(main);
  if (result == 0) ShowLoadFailure(main);
}

void ReadWordList(HWND main) {
  ReadFurtherFile(main, [main] { return OpenTextWordListDialog(main, ListOf(main), true); });
}

void ReadGrammarFile(HWND main) {
  ReadFurtherFile(main, [main] { return OpenGrammarFileDialog(main, ListOf(main)); });
}

// The pool file has buffers of its own; the current file is not touched.
void ReadPoolFile(HWND main) {
  if (OpenPoolFileDialog(main, ListOf(main)) == 0) ShowLoadFailure(main);
}

void AddRow(HWND main) {
  const WordList list = ListOf(main);
  EntryDialogParam param{};
  param.list = list;
  const int selected = FirstSelectedRow(list);
  param.index = selected >= 0 ? selected : RowCount(list);
  EntryDialog(main, param);
  ReselectFocusedRow(list);
}

void EditSelectedRow(HWND main) {
  const WordList list = ListOf(main);
  const int selected = FirstSelectedRow(list);
  if (selected < 0) return;
  EntryDialogParam param{};
  param.list = list;
  param.index = selected;
  GetWordRow(list, selected, param.entry);
  EntryDialog(main, param);
}

void ModifyRow(HWND main) {
  EditSelectedRow(main);
  ReselectFocusedRow(ListOf(main));
}

void DeleteRow(HWND main) {
  const WordList list = ListOf(main);
  if (FirstSelectedRow(list) < 0) return;
  DeleteSelectedWordRow(list);
  ReselectFocusedRow(list);
}

void ShowAbout(HWND main) {
  DialogBoxParamA(InstanceOf(main), MAKEINTRESOURCEA(IDD_ABOUT), main, AboutDialogProc, 0);
}

void SortRows(HWND main, int column) {
  WithRedrawSuspended(WordListOf(main), [&] { SortWordList(ListOf(main), column); });
}
