#include "tests/app/main_window_fixture.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cstring>

#include "app/current_file.h"
#include "app/find_commands.h"
#include "app/main_window.h"
#include "convert/sjis_text.h"
#include "files/pool_file.h"
#include "res/resource_ids.h"
#include "app/word_list_view.h"

namespace {

// The file-name box and the file-type box of the platform's file dialogs.
constexpr int kFileNameBox = 0x47C;
constexpr int kFileTypeBox = 0x470;

}  // namespace

void MainWindowTest::SetUp() {
  static const bool registered = RegisterMainWindowClass(GetModuleHandleA(nullptr));
  ASSERT_TRUE(registered);
  CurrentFile = {};
  PoolFile = {};
  ForgetLastSearch();
  for (int32_t& direction : ColumnSortDirection) direction = 0;
  main_ = CreateMainWindow(GetModuleHandleA(nullptr));
  ASSERT_NE(main_, nullptr) << "no main window: is DISPLAY set (scripts/wine-env.sh)?";
  ShowWindow(main_, SW_SHOW);
  UpdateWindow(main_);
  list_ = GetDlgItem(main_, IDC_WORD_LIST);
  StartDialogWatch();
}

void MainWindowTest::TearDown() {
  StopDialogWatch();
  if (IsWindow(main_)) DestroyWindow(main_);
  // The quit message the window posted must not end a later test's dialog.
  MSG message;
  while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

void MainWindowTest::CommandWithDialogs(int id, std::vector<DialogStep> steps) {
  DialogScript script(std::move(steps));
  Command(id);
}

void MainWindowTest::Notify(UINT code, int column, WPARAM control) {
  NMLISTVIEW notification{};
  notification.hdr = {list_, static_cast<UINT_PTR>(control), code};
  notification.iItem = -1;
  notification.iSubItem = column;
  SendMessageA(main_, WM_NOTIFY, control, reinterpret_cast<LPARAM>(&notification));
}

void MainWindowTest::Append(const std::vector<Row>& rows) {
  WithRedrawSuspended(list_, [&] { AppendTestRows(list(), rows); });
}

std::vector<Row> MainWindowTest::Rows() const { return TestRowsOf(list()); }

std::vector<std::string> MainWindowTest::Words() const {
  std::vector<std::string> words;
  for (const Row& row : Rows()) words.push_back(row.word);
  return words;
}

void MainWindowTest::Select(std::initializer_list<int> rows) {
  LVITEMA item{};
  item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
  SendMessageA(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
  item.state = LVIS_SELECTED;
  item.stateMask = LVIS_SELECTED;
  for (int row : rows) SendMessageA(list_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

DialogStep ChooseFile(std::string path) {
  return [path](HWND dialog) {
    SetDlgItemTextA(dialog, kFileNameBox, path.c_str());
    Press(dialog, IDOK);
  };
}

DialogStep CancelFileDialog() {
  return [](HWND dialog) { Press(dialog, IDCANCEL); };
}

DialogStep ChooseFileOfType(const char* dialogTitle, const char* type, std::string path) {
  return ChooseFileOfTypes(dialogTitle, {type}, 0, std::move(path));
}

DialogStep ChooseFileOfTypes(const char* dialogTitle, std::vector<std::string> types, size_t chosen,
                             std::string path) {
  return [dialogTitle, types, chosen, path](HWND dialog) {
    EXPECT_EQ(DialogText(dialog), dialogTitle);
    HWND box = GetDlgItem(dialog, kFileTypeBox);
    std::vector<std::string> offered;
    for (int i = 0; i < SendMessageA(box, CB_GETCOUNT, 0, 0); ++i) {
      char text[64] = {};
      SendMessageA(box, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
      offered.push_back(text);
    }
    std::vector<std::string> expected = types;
    expected.push_back("All files(*.*)");
    EXPECT_EQ(offered, expected);
    // As the user's choice notifies it: a new selection, then its end.
    SendMessageA(box, CB_SETCURSEL, chosen, 0);
    for (WORD code : {CBN_SELCHANGE, CBN_SELENDOK}) {
      SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(kFileTypeBox, code), reinterpret_cast<LPARAM>(box));
    }
    ChooseFile(path)(dialog);
  };
}

// A grammar file whose word block holds `words`, each NUL-terminated.
std::string GrammarFile(const std::vector<std::string>& words) {
  std::string block;
  for (const std::string& word : words) block += word + '\0';
  std::string file(44, '\0');  // V16 = V32 = 20: the block starts at 44
  const auto put = [&file](size_t at, uint32_t value) { std::memcpy(&file[at], &value, sizeof value); };
  put(0, static_cast<uint32_t>(44 + block.size()));
  put(16, 20);
  put(32, 20);
  return file + block;
}

// A pool file of records of word, reading and the one code byte 0x15 ("a").
std::string PoolFileBytes(const std::vector<std::string>& words) {
  std::string file(reinterpret_cast<const char*>(kPoolHeader), kPoolHeaderSize);
  for (const std::string& word : words) file += word + '\0' + "r" + '\0' + '\x15' + '\0';
  return file;
}

// An HDROP as the shell builds it: a DROPFILES header and ANSI paths.
HDROP DropOf(const std::vector<std::string>& paths) {
  std::string names;
  for (const std::string& path : paths) names += path + '\0';
  names += '\0';
  HGLOBAL memory = GlobalAlloc(GHND, sizeof(DROPFILES) + names.size());
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  std::memcpy(drop + 1, names.data(), names.size());
  GlobalUnlock(memory);
  return static_cast<HDROP>(memory);
}

