#include "app/commands.h"

#include <cstdio>
#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/current_file.h"
#include "app/file_dialogs.h"
#include "app/save_failure_dialog.h"
#include "app/step_progress.h"
#include "convert/sjis_text.h"
#include "files/julius_dictionary.h"
#include "files/text_word_list.h"
#include "files/word_file_writer.h"
#include "readings/reading_fold.h"
#include "res/messages.h"
#include "res/resource_ids.h"
#include "app/entry_dialog.h"
#include "wordlist/row_attention.h"
#include "app/word_list_view.h"

namespace {

// One line of a message: a whole word or path, a number and a reason.
constexpr size_t kMessageSize = 1024;

WordList ListOf(HWND main) { return WordTableOf(WordListOf(main)); }

EditHistory& HistoryOfMain(HWND main) { return *HistoryOf(WordListOf(main)); }

// A command that appends rows (reading a further file, dropped files) is
// one step: the rows it appended, however many files they came from.
template <typename Work>
void AppendingStep(HWND main, int label, Work work) {
  const WordList list = ListOf(main);
  EditHistory& history = HistoryOfMain(main);
  StepMark mark = history.Mark();
  mark.label = label;
  const int before = RowCount(list);
  {
    const LoadProgressShown progress(main);
    work();
  }
  history.RecordRowsInserted(std::move(mark), before, RowCount(list) - before);
}

HINSTANCE InstanceOf(HWND window) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(window, GWLP_HINSTANCE));
}

// Reading a further file must not change the current file, but the dialogs
// that read text word lists and grammar files write the chosen file into its
// buffers; the command puts the current file back afterwards.
template <typename Dialog>
void ReadFurtherFile(HWND main, int label, Dialog dialog) {
  AppendingStep(main, label, [&] {
    const FileName current = CurrentFile;
    if (dialog() == 0) ShowLoadFailure(main);
    CurrentFile = current;
  });
}

std::string ReasonText(RowProblem problem) {
  return ProgramText(IDS_ROW_PROBLEM_FIRST + static_cast<int>(problem) - static_cast<int>(RowProblem::kEmptyWord));
}

// How many rows need attention, by kind: a note on its own, or a part of
// the question about rows that cannot be written. Empty when none does.
std::string AttentionNote(const AttentionCounts& counts) {
  if (counts.rows == 0) return {};
  std::string kinds;
  char line[kMessageSize];
  for (int kind = 0; kind < kAttentionKinds; ++kind) {
    const int rows = counts.kinds[static_cast<size_t>(kind)];
    if (rows == 0) continue;
    std::snprintf(line, sizeof line, ProgramText(IDS_ATTENTION_COUNT).c_str(),
                  ProgramText(IDS_ATTENTION_KIND_FIRST + kind).c_str(), rows);
    kinds += line;
  }
  std::snprintf(line, sizeof line, ProgramText(IDS_ATTENTION_NOTE).c_str(), counts.rows, kinds.c_str());
  return line;
}

// The question before rows the format cannot hold are left out: how many,
// and the first few by their numbers as the user counts rows, their words
// and why; then the rows that need attention, when any do.
std::string LeaveOutQuestion(const UnwritableRows& unwritable, const std::string& attention) {
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
  if (!attention.empty()) rows += "\n" + attention;
  const std::string format = ProgramText(IDS_LEAVE_OUT_QUESTION);
  std::string question(format.size() + rows.size() + 16, '\0');
  const int length = std::snprintf(question.data(), question.size(), format.c_str(), unwritable.count, rows.c_str());
  question.resize(length > 0 ? std::min(static_cast<size_t>(length), question.size() - 1) : 0);
  return question;
}

// Rows the format cannot hold are never written changed: the user either
// leaves them out or writes nothing. With `countAttention` the user also
// hears how many rows need attention, in that question or in a note that
// lets him stop before anything is written. True when the file was written;
// `leftOut` (when given) then holds the number of rows left out.
bool WriteRows(HWND main, const char* path, WordFileFormat format, bool countAttention = false,
               int* leftOut = nullptr) {
  const WordList list = ListOf(main);
  std::string attention;
  if (countAttention) {
    std::vector<uint8_t> flags;
    if (!FindAttentionRows(list, flags)) {
      ShowProgramMessage(main, IDS_OUT_OF_MEMORY, MB_ICONERROR);
      return false;
    }
    attention = AttentionNote(CountAttention(flags));
  }
  const UnwritableRows unwritable = FindUnwritableRows(list, format);
  if (unwritable.count > 0) {
    if (ShowMessage(main, LeaveOutQuestion(unwritable, attention).c_str(), MB_YESNO | MB_ICONQUESTION) != IDYES) {
      return false;
    }
  } else if (!attention.empty() &&
             ShowMessage(main, attention.c_str(), MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) {
    return false;
  }
  std::string reason;
  SaveResult result;
  {
    StepProgress progress(main, format == WordFileFormat::kPoolFile ? IDS_PROGRESS_POOL : IDS_PROGRESS_SAVE,
                          static_cast<uint64_t>(RowCount(list)));
    result = SaveWordFile(list, path, format, &reason, false,
                          [&](int done, int) { return progress.Continue(static_cast<uint64_t>(done)); });
  }
  if (leftOut) *leftOut = unwritable.count;
  if (result == SaveResult::kSaved) return true;
  if (result == SaveResult::kStopped) return false;  // the old file stays; the status bar says so
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

// A read the user stopped is no failure to tell of: the status bar says it
// was stopped.
void ShowLoadFailure(HWND main) {
  if (!LoadWasStopped()) ShowProgramMessage(main, IDS_LOAD_FAILED, MB_ICONERROR);
}

// The old rows are kept whole by the step, not copied: undoing New puts the
// same table back. Without the memory for an empty table the rows go as New
// always let them go, without a step.
void NewWordList(HWND main) {
  EditHistory& history = HistoryOfMain(main);
  StepMark mark = history.Mark();
  mark.label = IDS_STEP_NEW;
  const WordList fresh = CreateWordTable();
  ForgetCurrentFile(main);
  if (fresh) {
    history.ReplaceRows(std::move(mark), fresh);
  } else {
    ClearWordList(ListOf(main));
  }
}

// The file is read into a table of its own, which takes the rows' place only
// when it was read whole; the step keeps the old rows' table.
void OpenWordList(HWND main) {
  const WordList fresh = CreateWordTable();
  if (!fresh) {
    ShowLoadFailure(main);
    return;
  }
  EditHistory& history = HistoryOfMain(main);
  StepMark mark = history.Mark();
  mark.label = IDS_STEP_OPEN;
  const FileName current = CurrentFile;
  int result;
  {
    const LoadProgressShown progress(main);
    result = OpenTextWordListDialog(main, fresh, true);
  }
  if (result != 1) {
    DestroyWordTable(fresh);
    if (result == 0 && LoadWasStopped()) CurrentFile = current;  // stopped: the file stays the current one too
    if (result == 0) ShowLoadFailure(main);
    return;
  }
  WithRedrawSuspended(WordListOf(main), [&] { history.ReplaceRows(std::move(mark), fresh); });
  ShowCurrentFileInTitle(main);
  ShowUnheldCharacters(main, LastTextWordListRead().unheldLines);
}

void ReadWordList(HWND main) {
  int result = 0;
  ReadFurtherFile(main, IDS_STEP_READ_WORD_LIST,
                  [&] { return result = OpenTextWordListDialog(main, ListOf(main), true); });
  if (result == 1) ShowUnheldCharacters(main, LastTextWordListRead().unheldLines);
}

void ReadGrammarFile(HWND main) {
  ReadFurtherFile(main, IDS_STEP_READ_GRAMMAR_FILE, [main] { return OpenGrammarFileDialog(main, ListOf(main)); });
}

// The pool file has buffers of its own; the current file is not touched.
void ReadPoolFile(HWND main) {
  AppendingStep(main, IDS_STEP_READ_POOL_FILE, [&] {
    if (OpenPoolFileDialog(main, ListOf(main)) == 0) ShowLoadFailure(main);
  });
}

void ReadDroppedFiles(HWND main, const std::function<void()>& read) { AppendingStep(main, IDS_STEP_DROP, read); }

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
// on writing there. Nor does a Julius dictionary, which is not read back:
// the word list Save writes stays what it was.
void SaveWordListAs(HWND main) {
  FileName chosen = CurrentFile;
  CopySjisText(chosen.path, CurrentFileToSave());
  WordFileFormat format = WordFileFormat::kTextWordList;
  if (!ChooseFileToSaveAs(main, chosen, format)) return;
  if (!WriteRows(main, chosen.path, format)) return;
  if (format == WordFileFormat::kTextWordList) {
    MakeFileCurrent(main, chosen);
    return;
  }
  const WordList list = ListOf(main);
  const int words = RowCount(list) - FindUnwritableRows(list, format, 0).count;
  if (words > kJuliusMostWords) {
    char note[kMessageSize];
    std::snprintf(note, sizeof note, ProgramText(IDS_JULIUS_WORD_LIMIT).c_str(), words, kJuliusMostWords);
    ShowMessage(main, note, MB_ICONINFORMATION);
  }
}

// The pool file chosen here is the one the next pool dialog, reading or
// building, proposes, whether or not it was written: as with the dialog that
// reads pool files, the buffers keep the file last chosen, and a user who
// declined to leave rows out comes back to the same file after mending them.
void BuildPool(HWND main) {
  if (!ChooseFileToWrite(main, WordFileFormat::kPoolFile, PoolFile)) return;
  int leftOut = 0;
  if (!WriteRows(main, PoolFile.path, WordFileFormat::kPoolFile, true, &leftOut)) return;
  char message[kMessageSize];
  std::snprintf(message, sizeof message, ProgramText(IDS_POOL_BUILT).c_str(), RowCount(ListOf(main)) - leftOut,
                leftOut);
  ShowMessage(main, message, MB_ICONINFORMATION);
}

void FoldReadingsToHiragana(HWND main) {
  const HWND view = WordListOf(main);
  const WordList list = WordTableOf(view);
  // One step of the history: the rows the fold changes, as they were.
  const std::vector<int> rows = RowsWithKatakanaReadings(list);
  HistoryOfMain(main).RecordRowsChanging(rows);
  const ReadingFoldCount count = WithRedrawSuspended(view, [&] { return FoldKatakanaReadingsOf(list, rows); });
  char message[kMessageSize];
  if (count.unstored > 0) {
    std::snprintf(message, sizeof message, ProgramText(IDS_KATAKANA_NOT_STORED).c_str(), count.unstored);
    ShowMessage(main, message, MB_ICONERROR);
  }
  std::snprintf(message, sizeof message, ProgramText(IDS_KATAKANA_FOLDED).c_str(), count.folded);
  ShowMessage(main, message, MB_ICONINFORMATION);
}

// The first lines by number, then an ellipsis: the message stays short
// however many there are.
void ShowUnheldCharacters(HWND main, const std::vector<long>& lines) {
  if (lines.empty()) return;
  constexpr size_t kNamedLines = 10;
  std::string named;
  for (size_t i = 0; i < lines.size() && i < kNamedLines; ++i) {
    named += (i > 0 ? ", " : "") + std::to_string(lines[i]);
  }
  if (lines.size() > kNamedLines) named += ", ...";
  char message[kMessageSize];
  std::snprintf(message, sizeof message, ProgramText(IDS_UNHELD_CHARACTERS).c_str(), static_cast<int>(lines.size()),
                named.c_str());
  ShowMessage(main, message, MB_ICONWARNING);
}

void AddRow(HWND main) {
  const WordList list = ListOf(main);
  EntryDialogParam param{};
  param.list = list;
  const int selected = FirstSelectedRow(list);
  param.index = selected >= 0 ? selected : RowCount(list);
  param.history = HistoryOf(WordListOf(main));
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
  param.history = HistoryOf(WordListOf(main));
  EntryDialog(main, param);
}

void ModifyRow(HWND main) {
  EditSelectedRow(main);
  ReselectFocusedRow(ListOf(main));
}

void DeleteRow(HWND main) {
  const WordList list = ListOf(main);
  const int selected = FirstSelectedRow(list);
  if (selected < 0) return;
  HistoryOfMain(main).RecordRowDeleting(selected, IDS_STEP_DELETE);
  DeleteSelectedWordRow(list);
  ReselectFocusedRow(list);
}

void ShowAbout(HWND main) {
  DialogBoxParamA(InstanceOf(main), MAKEINTRESOURCEA(IDD_ABOUT), main, AboutDialogProc, 0);
}

void SortRows(HWND main, int column) {
  if (column < 0 || column >= kWordColumns) return;
  EditHistory& history = HistoryOfMain(main);
  StepMark mark = history.Mark();
  mark.label = IDS_STEP_SORT;
  const int32_t direction = ColumnSortDirection[column];
  std::vector<uint32_t> order;
  WithRedrawSuspended(WordListOf(main), [&] { SortWordList(ListOf(main), column, order); });
  history.RecordRowsSorted(std::move(mark), std::move(order), column, direction);
}

// The first row the step changed takes the focus and is scrolled into
// view, where the user finds what came back or went again.
void UndoStep(HWND main, bool undo) {
  HWND list = WordListOf(main);
  EditHistory& history = HistoryOfMain(main);
  const bool done = WithRedrawSuspended(list, [&] { return undo ? history.Undo() : history.Redo(); });
  if (!done) {
    if (undo ? history.CanUndo() : history.CanRedo()) ShowProgramMessage(main, IDS_OUT_OF_MEMORY, MB_ICONERROR);
    return;
  }
  FocusAndShowRow(list, history.LastChangedRow());
}

// "元に戻す" and "やり直し" name the step they would take, and are greyed
// when there is none.
void UpdateEditMenu(HWND main, HMENU menu) {
  const EditHistory& history = HistoryOfMain(main);
  const struct {
    UINT command;
    int label;
    UINT plain;
    UINT named;
  } items[] = {{IDM_UNDO, history.UndoLabel(), IDS_UNDO_ITEM, IDS_UNDO_NAMED_ITEM},
               {IDM_REDO, history.RedoLabel(), IDS_REDO_ITEM, IDS_REDO_NAMED_ITEM}};
  for (const auto& item : items) {
    const bool possible = item.command == IDM_UNDO ? history.CanUndo() : history.CanRedo();
    std::string text = ProgramText(item.plain);
    if (possible && item.label != 0) {
      char named[kMessageSize];
      std::snprintf(named, sizeof named, ProgramText(item.named).c_str(), ProgramText(item.label).c_str());
      text = named;
    }
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_STATE;
    info.fState = possible ? MFS_ENABLED : MFS_GRAYED;
    info.dwTypeData = text.data();
    SetMenuItemInfoA(menu, item.command, FALSE, &info);
  }
}

void ShowRowsChanged(HWND main) {
  ShowRowCounts(main);
  const EditHistory& history = HistoryOfMain(main);
  ShowSortMark(WordListOf(main), history.SortedColumn(), history.SortedDirection());
}
