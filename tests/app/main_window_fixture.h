#pragma once
// The real main window, created for each test as the program creates it,
// shown, and destroyed afterwards without the closing question. The
// process-wide state (current file, pool file, sort directions) starts
// empty in every test.

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/app/dialog_script.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_word_list.h"
#include "app/word_list_view.h"

// A row's three texts, as the tests write and compare them.
using Row = TestRow;

class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  WordList list() const { return WordTableOf(list_); }
  void Command(int id) { SendMessageA(main_, WM_COMMAND, id, 0); }
  // Runs `id` while `steps` answer the dialogs it opens.
  void CommandWithDialogs(int id, std::vector<DialogStep> steps);

  void Append(const std::vector<Row>& rows);
  std::vector<Row> Rows() const;
  std::vector<std::string> Words() const;
  void Select(std::initializer_list<int> rows);
  std::string Title() const { return DialogText(main_); }
  // The list's notifications, as the control sends them to the main window.
  void Notify(UINT code, int column = 0, WPARAM control = 100);
  void ClickColumn(int column) { Notify(LVN_COLUMNCLICK, column); }

  HWND main_ = nullptr;
  HWND list_ = nullptr;
  TempFolder files_;
};

// The main window's title without a current file, and with `path`.
inline constexpr char kUntitledTitle[] = "無題 - Corvane Lexiforge";
inline std::string TitleFor(const std::string& path) { return path + " - Corvane Lexiforge"; }

// A file dialog step: puts `path` into the file-name box and confirms.
DialogStep ChooseFile(std::string path);
// A file dialog step that cancels.
DialogStep CancelFileDialog();
// A file dialog step that checks the dialog's title and its two file types
// (`type`, then "All files(*.*)") before it chooses `path`.
DialogStep ChooseFileOfType(const char* dialogTitle, const char* type, std::string path);
// The same with the file types `types` (then "All files(*.*)"), of which the
// one at `chosen` is selected before `path` is chosen.
DialogStep ChooseFileOfTypes(const char* dialogTitle, std::vector<std::string> types, size_t chosen,
                             std::string path);

// A grammar file whose word block holds `words`, each NUL-terminated.
std::string GrammarFile(const std::vector<std::string>& words);
// A pool file of records of word, reading "r" and the one code "a".
std::string PoolFileBytes(const std::vector<std::string>& words);
// An HDROP as the shell builds it: a DROPFILES header and ANSI paths.
HDROP DropOf(const std::vector<std::string>& paths);

// Held open without sharing: the file exists, so the dialogs accept it, but
// it cannot be read, or replaced.
struct LockedFile {
  explicit LockedFile(const std::string& path)
      : handle(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr)) {}
  ~LockedFile() { CloseHandle(handle); }
  LockedFile(const LockedFile&) = delete;
  LockedFile& operator=(const LockedFile&) = delete;
  HANDLE handle;
};
