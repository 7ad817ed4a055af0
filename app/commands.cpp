#include "app/commands.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <string>

#include "app/current_file.h"
#include "app/file_dialogs.h"
#include "app/save_failure_dialog.h"
#include "convert/sjis_text.h"
#include "files/word_file_writer.h"
#include "res/messages.h"
#include "res/resource_ids.h"
#include "wordlist/entry_dialog.h"
#include "wordlist/word_list_view.h"

namespace {

// One line of a message: a whole word or path, a number and a reason.
constexpr size_t kMessageSize = 1024;

WordList ListOf(HWND main) { return WordTableOf(WordListOf(main)); }

HINSTANCE InstanceOf(HWND window) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

// Reading a further file must not change the current file, but the dialogs
// that read text word lists and grammar files write the chosen file into its
// buffers; the command puts the current file back afterwards.
template <typename Dialog>
void ReadFurtherFile(HWND main, Dialog dialog) {
  const FileName current = CurrentFile;
  if (dialog() == 0) ShowLoadFailure(main);
  CurrentFile = current;
}

std::string ReasonText(RowProblem problem) {
  return ProgramText(IDS_ROW_PROBLEM_FIRST + static_cast<int>(problem) - static_cast<int>(RowProblem::kEmptyWord));
}

// The question before rows the format cannot hold are left out: how many,
// and the first few by their numbers as the user counts rows, their words
// and why.
std::string LeaveOutQuestion(const UnwritableRows& unwritable) {
  std::string rows;
  char line[kMessageSize];
  for (const UnwritableRow& row : unwritable.first) {
    std::snprintf(line, sizeof line, ProgramText(IDS_UNWRITABLE_ROW).c_str(), row.index + 1, row.word.c_str(),
                  ReasonText(row.problem).c_str());
    rows += line;
  }
  const int unnamed = unwritable.count - static_cast<int>(unwritable.first.size());
  if (unnamed > 0) {
    std::snprintf(line, sizeof line, ProgramText(IDS_MORE_UNWRITABLE_ROWS).c_str(), unnamed);
    rows += line;
  }
  const std::string format = ProgramText(IDS_LEAVE_OUT_QUESTION);
  std::string question(format.size() + rows.size() + 16, '\0');
  const int length = std::snprintf(question.data(), question.size(), format.c_str(), unwritable.count, rows.c_str());
  question.resize(length > 0 ? std::min(static_cast<size_t>(length), question.size() - 1) : 0);
  return question;
}

// Rows the format cannot hold are never written changed: the user either
// leaves them out or writes nothing. True when the file was written.
bool WriteRows(HWND main, const char* path, WordFileFormat format) {
  const WordList list = ListOf(main);
  const UnwritableRows unwritable = FindUnwritableRows(list, format);
  if (unwritable.count > 0 &&
      ShowMessage(main, LeaveOutQuestion(unwritable).c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
    return false;
  }
  std::string reason;
  const SaveResult result = SaveWordFile(list, path, format, &reason);
  if (result == SaveResult::kSaved) return true;
  ShowSaveFailure(main, path, result == SaveResult::kReadOnly ? ProgramText(IDS_READ_ONLY_FILE) : reason);
  return false;
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

void ShowLoadFailure(HWND main) { ShowProgramMessage(main, IDS_LOAD_FAILED, MB_ICONERROR); }

void NewWordList(HWND main) {
  ClearWordList(ListOf(main));
  ForgetCurrentFile(main);
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

void SaveWordList(HWND main) {
  if (CurrentFile.path[0] == '\0') {
    SaveWordListAs(main);
    return;
  }
  WriteRows(main, CurrentFileToSave(), WordFileFormat::kTextWordList);
}

// The dialog fills copies: a file that was not written (the user would not
// leave rows out, or the write failed) must not become the current file, or
// the title would name a file that does not hold the rows and Save would go
// on writing there.
void SaveWordListAs(HWND main) {
  FileName chosen = CurrentFile;
  CopySjisText(chosen.path, CurrentFileToSave());
  if (!ChooseFileToWrite(main, WordFileFormat::kTextWordList, chosen)) return;
  if (!WriteRows(main, chosen.path, WordFileFormat::kTextWordList)) return;
  MakeFileCurrent(main, chosen);
}

// The pool file chosen here is the one the next pool dialog, reading or
// building, proposes, whether or not it was written: as with the dialog that
// reads pool files, the buffers keep the file last chosen, and a user who
// declined to leave rows out comes back to the same file after mending them.
void BuildPool(HWND main) {
  if (!ChooseFileToWrite(main, WordFileFormat::kPoolFile, PoolFile)) return;
  WriteRows(main, PoolFile.path, WordFileFormat::kPoolFile);
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
