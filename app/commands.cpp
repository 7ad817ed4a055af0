#include "app/commands.h"

#include <cstdio>
#include <cstring>

#include "app/message_box.h"
#include "convert/sjis_text.h"
#include "import/open_file_dialog.h"
#include "import/save_file_dialog.h"
#include "import/word_file_writer.h"
#include "res/resource_ids.h"
#include "wordlist/entry_dialog.h"
#include "wordlist/word_list_view.h"

namespace {

constexpr char kUntitled[] = "無題";
constexpr char kLoadFailedText[] = "ﾌｧｲﾙを読み込めませんでした";
constexpr char kSaveFailedText[] = "%s\nﾌｧｲﾙを保存できませんでした";
// How many rows the format cannot hold, the first of them by its number as
// the user counts rows and by its word, and why.
constexpr char kLeaveOutQuestion[] =
    "この形式で書き込めない行が%d行あります。\n最初は%d行目の「%s」です（%s）。\n\n"
    "これらの行を除いて保存してもよいですか";
// The question's text, a whole word, two numbers and the reason (each
// reason is well under 64 bytes).
constexpr size_t kLeaveOutQuestionSize = 512;
static_assert(sizeof kLeaveOutQuestion + kWordFieldSize + 2 * 10 + 64 <= kLeaveOutQuestionSize);

// The path, or "無題", and the program's name.
constexpr size_t kTitleSize = kFilePathSize + sizeof " - Corvane Lexiforge";

// The command-line file's path stays as typed (the title shows it so), but
// the open-file dialogs move the working folder to the folder of the file
// they chose, after which a relative path names a file in another folder.
// Save writes the command-line file to the full path it had when it was
// read, as long as it is the current file.
char g_commandLinePath[kFilePathSize];
char g_commandLineFullPath[kFilePathSize];

const char* FileToSave() {
  const bool commandLineFile = std::strcmp(CurrentFilePath, g_commandLinePath) == 0 && g_commandLineFullPath[0];
  return commandLineFile ? g_commandLineFullPath : CurrentFilePath;
}

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

const char* ReasonText(RowProblem problem) {
  switch (problem) {
    case RowProblem::kNone: break;
    case RowProblem::kEmptyWord: return "単語がありません";
    case RowProblem::kControlByte: return "タブ・改行などの制御文字があります";
    case RowProblem::kFieldTooLong: return "80バイトを超える欄があります";
    case RowProblem::kPlaceholderText: return "「よみ」かbaseformが\"?\"です";
    case RowProblem::kEmptyBaseform: return "baseformがありません";
    case RowProblem::kUnknownSymbol: return "baseformに音素記号でない文字があります";
    case RowProblem::kBadSpacing: return "baseformの区切りが空白1つではありません";
  }
  return "";
}

// Rows the format cannot hold are never written changed: the user either
// leaves them out or writes nothing. True when the file was written.
bool WriteRows(HWND main, const char* path, WordFileFormat format) {
  const WordList list = ListOf(main);
  const UnwritableRows unwritable = FindUnwritableRows(list, format);
  if (unwritable.count > 0) {
    char question[kLeaveOutQuestionSize];
    std::snprintf(question, sizeof question, kLeaveOutQuestion, unwritable.count, unwritable.firstIndex + 1,
                  unwritable.firstWord.c_str(), ReasonText(unwritable.firstProblem));
    if (ShowMessage(main, question, MB_YESNO | MB_ICONQUESTION) != IDYES) return false;
  }
  if (SaveWordFile(list, path, format) == SaveResult::kSaved) return true;
  char failure[kFilePathSize + sizeof kSaveFailedText];
  std::snprintf(failure, sizeof failure, kSaveFailedText, path);
  ShowMessage(main, failure, MB_ICONERROR);
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

void ShowCurrentFileInTitle(HWND main) {
  char title[kTitleSize];
  const char* name = CurrentFilePath[0] != '\0' ? CurrentFilePath : kUntitled;
  std::snprintf(title, sizeof title, "%.*s - Corvane Lexiforge", static_cast<int>(strnlen(name, kFilePathSize)),
                name);
  SetWindowTextA(main, title);
}

void MakeCommandLineFileCurrent(HWND main, std::string_view path) {
  CopySjisText(CurrentFilePath, path);
  CopySjisText(g_commandLinePath, path);
  const DWORD length =
      GetFullPathNameA(g_commandLinePath, sizeof g_commandLineFullPath, g_commandLineFullPath, nullptr);
  if (length == 0 || length >= sizeof g_commandLineFullPath) g_commandLineFullPath[0] = '\0';
  ShowCurrentFileInTitle(main);
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

void SaveWordList(HWND main) {
  if (CurrentFilePath[0] == '\0') {
    SaveWordListAs(main);
    return;
  }
  WriteRows(main, FileToSave(), WordFileFormat::kTextWordList);
}

// The dialog fills copies: a file that was not written (the user would not
// leave rows out, or the write failed) must not become the current file, or
// the title would name a file that does not hold the rows and Save would go
// on writing there.
void SaveWordListAs(HWND main) {
  char path[kFilePathSize];
  char title[kFileTitleSize];
  CopySjisText(path, FileToSave());
  std::memcpy(title, CurrentFileTitle, sizeof title);
  if (!ChooseFileToWrite(main, WordFileFormat::kTextWordList, path, title)) return;
  if (!WriteRows(main, path, WordFileFormat::kTextWordList)) return;
  std::memcpy(CurrentFilePath, path, sizeof path);
  std::memcpy(CurrentFileTitle, title, sizeof title);
  ShowCurrentFileInTitle(main);
}

// The pool file chosen here is the one the next pool dialog, reading or
// building, proposes, whether or not it was written: as with the dialog that
// reads pool files, the buffers keep the file last chosen, and a user who
// declined to leave rows out comes back to the same file after mending them.
void BuildPool(HWND main) {
  if (!ChooseFileToWrite(main, WordFileFormat::kPoolFile, PoolFilePath, PoolFileTitle)) return;
  WriteRows(main, PoolFilePath, WordFileFormat::kPoolFile);
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
