#include "tests/app/main_window_fixture.h"

#include "app/current_file.h"
#include "app/main_window.h"
#include "convert/sjis_text.h"
#include "res/resource_ids.h"
#include "wordlist/word_list_view.h"

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
  WithRedrawSuspended(list_, [&] {
    for (const Row& row : rows) {
      WordEntry entry{};
      CopySjisText(entry.word, row.word);
      CopySjisText(entry.reading, row.reading);
      CopySjisText(entry.baseform, row.baseform);
      InsertWordRow(list(), RowCount(list()), entry);
    }
  });
}

std::vector<Row> MainWindowTest::Rows() const {
  std::vector<Row> rows;
  for (int i = 0; i < RowCount(list()); ++i) {
    WordEntry entry;
    GetWholeWordRow(list(), i, entry);
    rows.push_back({entry.word, entry.reading, entry.baseform});
  }
  return rows;
}

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
  return [dialogTitle, type, path](HWND dialog) {
    EXPECT_EQ(DialogText(dialog), dialogTitle);
    HWND types = GetDlgItem(dialog, kFileTypeBox);
    char text[2][64] = {};
    EXPECT_EQ(SendMessageA(types, CB_GETCOUNT, 0, 0), 2);
    for (int i = 0; i < 2; ++i) SendMessageA(types, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text[i]));
    EXPECT_STREQ(text[0], type);
    EXPECT_STREQ(text[1], "All files(*.*)");
    ChooseFile(path)(dialog);
  };
}
