#include "app/commands.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/current_file.h"
#include "app/file_dialogs.h"
#include "app/load_file.h"
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
  work();
  history.RecordRowsInserted(std::move(mark), before, RowCount(list) - before);
}

HINSTANCE InstanceOf(HWND window) {
  return reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(window, GWLP_HINSTANCE));
}

// The open dialog for a file of `format`, proposing the path `file` holds
// (and keeping the chosen one there), then the chosen file read.
void ChooseAndLoad(HWND main, WordFileFormat format, FileName& file, LoadMode mode) {
  if (!ChooseFileToRead(main, format, file)) return;
  if (const LoadResult result = LoadFile(main, PathToRead(file), format, mode, &file); !result) {
    ShowLoadFailure(main, result);
  } else if (format == WordFileFormat::kTextWordList) {
    ShowUnheldCharacters(main, LastTextWordListRead().unheldLines);
  }
}

// Reading a further file leaves the current file as it was: the dialog
// proposes it and fills a copy.
void ReadFurtherFile(HWND main, int label, WordFileFormat format) {
  AppendingStep(main, label, [&] {
    FileName chosen = CurrentFile;
    ChooseAndLoad(main, format, chosen, LoadMode::kAppend);
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
  for (int kind = 0; kind < kAttentionKinds; ++kind) {
    const int rows = counts.kinds[static_cast<size_t>(kind)];
    if (rows != 0) kinds += ProgramMessage(IDS_ATTENTION_COUNT, {ProgramText(IDS_ATTENTION_KIND_FIRST + kind), rows});
  }
  return ProgramMessage(IDS_ATTENTION_NOTE, {counts.rows, kinds});
}

// The question before rows the format cannot hold are left out: how many,
// and the first few by their numbers as the user counts rows, their words
// and why; then the rows that need attention, when any do.
std::string LeaveOutQuestion(const UnwritableRows& unwritable, const std::string& attention) {
  std::string rows;
  for (const UnwritableRow& row : unwritable.first) {
    rows += ProgramMessage(IDS_UNWRITABLE_ROW, {row.index + 1, row.word, ReasonText(row.problem)});
  }
  const int unnamed = unwritable.count - static_cast<int>(unwritable.first.size());
  if (unnamed > 0) rows += ProgramMessage(IDS_MORE_UNWRITABLE_ROWS, {unnamed});
  if (!attention.empty()) rows += "\n" + attention;
  return ProgramMessage(IDS_LEAVE_OUT_QUESTION, {unwritable.count, rows});
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
    if (ShowMessage(main, LeaveOutQuestion(unwritable, attention), MB_YESNO | MB_ICONQUESTION) != IDYES) {
      return false;
    }
  } else if (!attention.empty() &&
             ShowMessage(main, attention, MB_OKCANCEL | MB_ICONINFORMATION) != IDOK) {
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
void ShowLoadFailure(HWND main, const LoadResult& result) {
  if (result.failure != LoadFailure::kStopped) ShowProgramMessage(main, IDS_LOAD_FAILED, MB_ICONERROR);
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

// The file becomes the current file only once it was read: a file that
// could not be read must not be the one Save writes.
void OpenWordList(HWND main) {
  FileName chosen = CurrentFile;
  ChooseAndLoad(main, WordFileFormat::kTextWordList, chosen, LoadMode::kOpen);
}

void ReadWordList(HWND main) { ReadFurtherFile(main, IDS_STEP_READ_WORD_LIST, WordFileFormat::kTextWordList); }

void ReadGrammarFile(HWND main) { ReadFurtherFile(main, IDS_STEP_READ_GRAMMAR_FILE, WordFileFormat::kGrammarFile); }

// The pool file record keeps the file last chosen, read or not.
void ReadPoolFile(HWND main) {
  AppendingStep(main, IDS_STEP_READ_POOL_FILE,
                [&] { ChooseAndLoad(main, WordFileFormat::kPoolFile, PoolFile, LoadMode::kAppend); });
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
    ShowProgramMessage(main, IDS_JULIUS_WORD_LIMIT, MB_ICONINFORMATION, {words, kJuliusMostWords});
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
  ShowProgramMessage(main, IDS_POOL_BUILT, MB_ICONINFORMATION, {RowCount(ListOf(main)) - leftOut, leftOut});
}

void FoldReadingsToHiragana(HWND main) {
  const HWND view = WordListOf(main);
  const WordList list = WordTableOf(view);
  // One step of the history: the rows the fold changes, as they were.
  const std::vector<int> rows = RowsWithKatakanaReadings(list);
  HistoryOfMain(main).RecordRowsChanging(rows);
  const ReadingFoldCount count = WithRedrawSuspended(view, [&] { return FoldKatakanaReadingsOf(list, rows); });
  if (count.unstored > 0) ShowProgramMessage(main, IDS_KATAKANA_NOT_STORED, MB_ICONERROR, {count.unstored});
  ShowProgramMessage(main, IDS_KATAKANA_FOLDED, MB_ICONINFORMATION, {count.folded});
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
  ShowProgramMessage(main, IDS_UNHELD_CHARACTERS, MB_ICONWARNING, {static_cast<int>(lines.size()), named});
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
  DialogBoxParamW(InstanceOf(main), MAKEINTRESOURCEW(IDD_ABOUT), main, AboutDialogProc, 0);
}

void SortRows(HWND main, int column) {
  if (column < 0 || column >= kWordColumns) return;
  EditHistory& history = HistoryOfMain(main);
  StepMark mark = history.Mark();
  mark.label = IDS_STEP_SORT;
  const int32_t direction = ColumnSortDirection(ListOf(main), column);
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
    const std::string text =
        possible && item.label != 0 ? ProgramMessage(item.named, {ProgramText(item.label)}) : ProgramText(item.plain);
    std::wstring shown = ScreenText(text);
    MENUITEMINFOW info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STRING | MIIM_STATE;
    info.fState = possible ? MFS_ENABLED : MFS_GRAYED;
    info.dwTypeData = shown.data();
    SetMenuItemInfoW(menu, item.command, FALSE, &info);
  }
}

void ShowRowsChanged(HWND main) {
  ShowRowCounts(main);
  const EditHistory& history = HistoryOfMain(main);
  ShowSortMark(WordListOf(main), history.SortedColumn(), history.SortedDirection());
}
