// Save, Save As and Build pool, driven through the platform's save dialog:
// what is written, what becomes the current file, and what the user is asked
// and told on the way.

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <filesystem>

#include "app/main_window.h"
#include "app/current_file.h"
#include "files/pool_file.h"
#include "res/resource_ids.h"
#include "tests/app/main_window_fixture.h"

namespace {

// The platform's question before an existing file is overwritten.
DialogStep AnswerOverwriteQuestion(int answer) {
  return [answer](HWND box) {
    EXPECT_NE(GetDlgItem(box, IDYES), nullptr) << DialogText(box, 0xFFFF);
    Press(box, answer);
  };
}

// The question before rows the format cannot hold are left out, answered:
// `rows` are the lines that name them.
DialogStep AnswerLeaveOutQuestion(int count, const std::string& rows, int answer) {
  return ExpectMessage("この形式で書き込めない行が" + std::to_string(count) + "行あります。\n" + rows +
                           "\nこれらの行を除いて保存してもよいですか",
                       MB_YESNO | MB_ICONQUESTION, answer);
}

// The save-failure message: the path whole on one line, what failed below
// it, and the system's reason below that.
DialogStep ExpectSaveFailure(const std::string& path) {
  return [path](HWND box) {
    EXPECT_EQ(DialogText(box), "Corvane Lexiforge");
    EXPECT_EQ(MessageBoxIcon(box), static_cast<UINT>(MB_ICONERROR));
    HWND pathBox = GetDlgItem(box, IDC_FAILED_PATH);
    EXPECT_EQ(DialogText(box, IDC_FAILED_PATH), path);
    EXPECT_EQ(SendMessageA(pathBox, EM_GETLINECOUNT, 0, 0), 1);
    // The box is wide enough for the whole path (the screen is).
    HDC dc = GetDC(pathBox);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageA(pathBox, WM_GETFONT, 0, 0)));
    SIZE extent{};
    GetTextExtentPoint32A(dc, path.c_str(), static_cast<int>(path.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(pathBox, dc);
    RECT client;
    GetClientRect(pathBox, &client);
    EXPECT_GE(client.right - client.left, extent.cx) << "the path does not fit its line";
    RECT pathRect, textRect, reasonRect;
    GetWindowRect(pathBox, &pathRect);
    GetWindowRect(GetDlgItem(box, IDC_FAILURE_TEXT), &textRect);
    GetWindowRect(GetDlgItem(box, IDC_FAILURE_REASON), &reasonRect);
    EXPECT_LT(pathRect.top, textRect.top);
    EXPECT_LT(textRect.top, reasonRect.top);
    EXPECT_EQ(DialogText(box, IDC_FAILURE_TEXT), "ﾌｧｲﾙを保存できませんでした");
    EXPECT_NE(DialogText(box, IDC_FAILURE_REASON), "") << "the system's reason";
    Press(box, IDOK);
  };
}

const std::vector<std::string> kSaveAsTypes = {"text(*.txt)", "Julius 単語辞書 (*.dict)"};

class SaveTest : public MainWindowTest {
 protected:
  // Rows a text word list holds exactly: empty fields, a trail byte 0x5C.
  const std::vector<Row> rows_ = {
      {"東京", "とうきょう", "t o o ky o o"}, {"word only"}, {"表", "ひょう"}, {"x", "", "b"}};
  const std::string rowsAsText_ = "東京\tとうきょう\tt o o ky o o\r\nword only\r\n表\tひょう\t?\r\nx\t?\tb\r\n";
};

TEST_F(SaveTest, SaveAsWritesTheRowsAndMakesTheFileCurrentThenSaveWritesThere) {
  const std::string path = files_.Write("saved.txt", "old\n");
  Append(rows_);
  SetFocus(main_);
  // A name typed without an extension gets ".txt", and that file is there.
  CommandWithDialogs(IDM_SAVE_AS, {ChooseFileOfTypes("名前を付けて保存", kSaveAsTypes, 0, files_.PathOf("saved")),
                                   AnswerOverwriteQuestion(IDYES)});
  EXPECT_EQ(FileBytes(path), rowsAsText_);
  EXPECT_EQ(Title(), TitleFor(path));
  EXPECT_STREQ(CurrentFile.path, path.c_str());
  EXPECT_STREQ(CurrentFile.title, "saved.txt");
  EXPECT_EQ(GetFocus(), list_);

  Command(IDM_NEW);
  OpenCommandLineFile(main_, path.c_str());
  EXPECT_EQ(Rows(), rows_) << "read back";

  // Save writes the current file without a dialog (the watch fails on one).
  Append({{"追加"}});
  SetFocus(main_);
  Command(IDM_SAVE);
  EXPECT_EQ(FileBytes(path), rowsAsText_ + "追加\r\n");
  EXPECT_EQ(GetFocus(), list_);
  EXPECT_EQ(FileNamesIn(files_.PathOf("")), std::vector<std::string>{"saved.txt"}) << "no temporary file left";
}

// The Julius type of Save As writes a Julius dictionary (".dict" added to a
// name typed without one) in UTF-8, leaving out and naming the rows it cannot
// hold; the word list stays the current file, which Save goes on writing.
TEST_F(SaveTest, SaveAsAJuliusDictionaryWritesItAndKeepsTheCurrentFile) {
  const std::string list = files_.Write("words.txt", "old\n");
  OpenCommandLineFile(main_, list.c_str());
  Append(rows_);
  const std::string dict = files_.PathOf("words.dict");
  const std::string left =
      "1行目の「old」（「よみ」がありません）\n3行目の「word only」（単語に空白か、文字でないバイトがあります）\n"
      "5行目の「x」（「よみ」がありません）\n";
  CommandWithDialogs(IDM_SAVE_AS, {ChooseFileOfTypes("名前を付けて保存", kSaveAsTypes, 1, files_.PathOf("words")),
                                   AnswerLeaveOutQuestion(3, left, IDYES)});
  EXPECT_EQ(FileBytes(dict), reinterpret_cast<const char*>(u8"東京\t[東京]\tt o u ky o u\n表\t[表]\thy o u\n"));
  EXPECT_EQ(Title(), TitleFor(list));
  EXPECT_STREQ(CurrentFile.path, list.c_str());
  Command(IDM_SAVE);
  EXPECT_EQ(FileBytes(list), "old\r\n" + rowsAsText_) << "Save still writes the word list";
}

// The rows hold a file's bytes as they were, and Save writes them back so:
// a pair that code page 932 does not map (0x85 0x40), a lone lead byte at a
// field's end (0x82), and bytes that are no character at all (0x80, 0xA0,
// 0xFD), in every field.
TEST_F(SaveTest, SaveWritesBytesNoCodePageMapsBackAsTheyWere) {
  const std::string odd =
      "\x85\x40\r\n"
      "a\x82\r\n"
      "\x80\t\xA0\t\xFD\r\n"
      "\x82\xA0\x85\x40\t\x82\xA0\x82\t?\r\n"
      "w\t?\tk \x82\r\n"
      "\xFD\xA0\x80\x82\r\n";
  const std::string path = files_.Write("odd.txt", odd);
  OpenCommandLineFile(main_, path.c_str());
  EXPECT_EQ(Rows(), (std::vector<Row>{{"\x85\x40"},
                                      {"a\x82"},
                                      {"\x80", "\xA0", "\xFD"},
                                      {"\x82\xA0\x85\x40", "\x82\xA0\x82", ""},
                                      {"w", "", "k \x82"},
                                      {"\xFD\xA0\x80\x82"}}));
  UpdateWindow(main_);  // the rows are shown, converted for display only
  Command(IDM_SAVE);
  EXPECT_EQ(FileBytes(path), odd);
}

// A name in Japanese is code page 932 to the program whatever the system's
// ANSI code page: the command line, Save and Save As's dialog all reach the
// file of that name, and the title shows it.
TEST_F(SaveTest, JapaneseFileNamesWorkUnderAnyCodePage) {
  const auto bytesOf = [](const std::string& path) {
    std::string bytes;
    if (FILE* file = _wfopen(Wide(path).c_str(), L"rb")) {
      char block[256];
      for (size_t n; (n = std::fread(block, 1, sizeof block, file)) > 0;) bytes.append(block, n);
      std::fclose(file);
    }
    return bytes;
  };
  const std::string path = files_.PathOf("") + "表ファイル.txt";
  const std::string other = files_.PathOf("") + "別の名前.txt";
  FILE* file = _wfopen(Wide(path).c_str(), L"wb");
  ASSERT_NE(file, nullptr);
  std::fputs("東京\r\n", file);
  std::fclose(file);

  OpenCommandLineFile(main_, path.c_str());
  EXPECT_EQ(Words(), std::vector<std::string>{"東京"});
  EXPECT_EQ(Title(), TitleFor(path));
  Append({{"追加"}});
  Command(IDM_SAVE);
  EXPECT_EQ(bytesOf(path), "東京\r\n追加\r\n");
  CommandWithDialogs(IDM_SAVE_AS, {ChooseFile(other)});
  EXPECT_EQ(bytesOf(other), "東京\r\n追加\r\n");
  EXPECT_EQ(Title(), TitleFor(other));
  EXPECT_STREQ(CurrentFile.title, "別の名前.txt");
  SendMessageW(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({path})), 0);
  EXPECT_EQ(Words(), (std::vector<std::string>{"東京", "追加", "東京", "追加"}));
}

TEST_F(SaveTest, CancellingTheDialogWritesNothingAndShowsNothing) {
  Append(rows_);
  // Untitled, Save asks for a file as Save As does.
  const auto cancelProposing = [](const char* dialogTitle) {
    return [dialogTitle](HWND dialog) {
      EXPECT_EQ(DialogText(dialog), dialogTitle);
      EXPECT_EQ(DialogText(dialog, 0x47C), "");
      Press(dialog, IDCANCEL);
    };
  };
  for (int command : {IDM_SAVE, IDM_SAVE_AS, IDM_BUILD_POOL}) {
    SetFocus(main_);
    CommandWithDialogs(command, {cancelProposing(command == IDM_BUILD_POOL ? "プール作成" : "名前を付けて保存")});
    EXPECT_EQ(GetFocus(), list_) << command;
  }
  EXPECT_TRUE(FileNamesIn(files_.PathOf("")).empty());
  EXPECT_EQ(Title(), kUntitledTitle);
  EXPECT_STREQ(CurrentFile.path, "");
  EXPECT_STREQ(PoolFile.path, "");
}

TEST_F(SaveTest, RowsTheFormatCannotHoldAreLeftOutOnlyWhenTheUserAgrees) {
  Append({{"a", "あ", "a"}, {"tab\there"}, {"b"}, {"c", "?"}});
  const std::string path = files_.PathOf("some.txt");
  const std::string rows =
      "2行目の「tab\there」（タブ・改行などの制御文字があります）\n4行目の「c」（「よみ」かbaseformが\"?\"です）\n";
  CommandWithDialogs(IDM_SAVE_AS, {ChooseFile(path), AnswerLeaveOutQuestion(2, rows, IDNO)});
  EXPECT_FALSE(std::filesystem::exists(path));
  EXPECT_EQ(Title(), kUntitledTitle) << "a file not written does not become the current file";
  EXPECT_STREQ(CurrentFile.path, "");

  CommandWithDialogs(IDM_SAVE_AS, {ChooseFile(path), AnswerLeaveOutQuestion(2, rows, IDYES)});
  EXPECT_EQ(FileBytes(path), "a\tあ\ta\r\nb\r\n");
  EXPECT_EQ(Title(), TitleFor(path));
  EXPECT_EQ(RowCount(list()), 4) << "the rows left out stay in the list";
}

// A name code page 932 cannot hold, chosen in the dialog, is refused with a
// message: never written as the name of another file ("cafe.txt").
TEST_F(SaveTest, ANameTheCodePageCannotHoldIsRefused) {
  Append(rows_);
  wchar_t folder[MAX_PATH] = {};
  MultiByteToWideChar(CP_ACP, 0, files_.PathOf("").c_str(), -1, folder, MAX_PATH);
  const std::wstring name = std::wstring(folder) + L"\\caf\u00E9.txt";
  CommandWithDialogs(IDM_SAVE_AS,
                     {[name](HWND dialog) {
                        SetDlgItemTextW(dialog, 0x47C, name.c_str());
                        Press(dialog, IDOK);
                      },
                      ExpectMessage("このﾌｧｲﾙ名にはShift-JISで表せない文字があります。別の名前を選んでください",
                                    MB_ICONERROR, IDOK)});
  EXPECT_TRUE(FileNamesIn(files_.PathOf("")).empty()) << "nothing written";
  EXPECT_EQ(Title(), kUntitledTitle);
  EXPECT_STREQ(CurrentFile.path, "");
}

// A read-only file is not replaced: the save-failure message says why.
TEST_F(SaveTest, AReadOnlyFileIsRefusedAndKept) {
  const std::string path = files_.Write("readonly.txt", "old\r\n");
  OpenCommandLineFile(main_, path.c_str());
  Append({{"new"}});
  ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
  CommandWithDialogs(IDM_SAVE, {[path](HWND box) {
                       EXPECT_EQ(DialogText(box, IDC_FAILED_PATH), path);
                       EXPECT_EQ(DialogText(box, IDC_FAILURE_REASON), "読み取り専用のファイルです");
                       Press(box, IDOK);
                     }});
  SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  EXPECT_EQ(FileBytes(path), "old\r\n");
  EXPECT_EQ(FileNamesIn(files_.PathOf("")), std::vector<std::string>{"readonly.txt"}) << "no temporary file left";
}

// The question names the first five rows that cannot be written and counts
// the others.
TEST_F(SaveTest, TheQuestionNamesTheFirstFiveRowsAndCountsTheRest) {
  Append({{"ok", "", "a"}});
  for (int i = 1; i <= 7; ++i) Append({{std::to_string(i * 11), "", "x *"}});
  std::string rows;
  for (int i = 1; i <= 5; ++i) {
    rows += std::to_string(i + 1);
    rows += "行目の「";
    rows += std::to_string(i * 11);
    rows += "」（baseformに音素記号でない文字があります）\n";
  }
  rows += "ほか2行\n";
  // Build pool also counts the rows that need attention, in the same question.
  rows += "\n要確認の行が8行あります（F8で移動できます）。\n"
          "　baseformに\"*\"がある行：7行\n"
          "　よみがない行：8行\n";
  CommandWithDialogs(IDM_BUILD_POOL,
                     {ChooseFile(files_.PathOf("few.ppl")), AnswerLeaveOutQuestion(7, rows, IDNO)});
  EXPECT_FALSE(std::filesystem::exists(files_.PathOf("few.ppl")));
}

TEST_F(SaveTest, AFileThatCannotBeWrittenIsLeftAsItWasAndNamed) {
  const std::string path = files_.Write("locked.txt", "old\n");
  OpenCommandLineFile(main_, path.c_str());
  Append({{"new"}});
  const std::string other = files_.Write("other.txt", "other\n");
  {
    LockedFile locked(path);
    LockedFile otherLocked(other);
    CommandWithDialogs(IDM_SAVE, {ExpectSaveFailure(path)});
    CommandWithDialogs(IDM_SAVE_AS, {ChooseFile(other), AnswerOverwriteQuestion(IDYES), ExpectSaveFailure(other)});
  }
  EXPECT_EQ(FileBytes(path), "old\n");
  EXPECT_EQ(FileBytes(other), "other\n");
  EXPECT_EQ(FileNamesIn(files_.PathOf("")), (std::vector<std::string>{"locked.txt", "other.txt"}))
      << "no temporary file left";
  EXPECT_EQ(Title(), TitleFor(path));
  EXPECT_STREQ(CurrentFile.path, path.c_str());
  EXPECT_EQ(GetFocus(), list_);

  // The dialog refuses a folder that does not exist with a message of its own.
  CommandWithDialogs(IDM_SAVE_AS, {ChooseFile(files_.PathOf("missing\\x.txt")),
                                   [](HWND box) {
                                     EXPECT_NE(DialogText(box), "Corvane Lexiforge");
                                     Press(box, IDOK);
                                   },
                                   CancelFileDialog()});
}

// The open dialogs move the working folder to the file they chose; a relative
// command-line path must still be saved where it was read from.
TEST_F(SaveTest, ARelativeCommandLineFileIsSavedWhereItWasRead) {
  files_.Write("start.txt", "start\n");
  std::filesystem::create_directory(files_.PathOf("more"));
  char folder[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, folder);
  SetCurrentDirectoryA(files_.PathOf("").c_str());
  OpenCommandLineFile(main_, "start.txt");
  CommandWithDialogs(IDM_READ_WORD_LIST, {ChooseFile(files_.Write("more\\more.txt", "more\n"))});
  Command(IDM_SAVE);
  SetCurrentDirectoryA(folder);
  EXPECT_EQ(FileBytes(files_.PathOf("start.txt")), "start\r\nmore\r\n");
  EXPECT_FALSE(std::filesystem::exists(files_.PathOf("more\\start.txt")));
  EXPECT_EQ(Title(), TitleFor("start.txt"));
}

// The message that ends Build pool.
std::string PoolBuilt(int written, int leftOut) {
  return "プールファイルを作成しました。\n書き込んだ行: " + std::to_string(written) +
         "\n除いた行: " + std::to_string(leftOut);
}

TEST_F(SaveTest, BuildPoolWritesAPoolFileAndKeepsTheCurrentFile) {
  const std::string current = files_.Write("current.txt", "");
  OpenCommandLineFile(main_, current.c_str());
  const std::vector<Row> rows = {{"東京", "とうきょう", "t o o ky o o"}, {"ん", "ん", "_n"}};
  Append(rows);
  Append({{"星", "ほし", "h o *"}});
  const std::string proposed = files_.Write("last.ppl", "");
  std::strcpy(PoolFile.path, proposed.c_str());
  const std::string path = files_.PathOf("built.ppl");
  CommandWithDialogs(IDM_BUILD_POOL,
                     {[&](HWND dialog) {
                        EXPECT_EQ(DialogText(dialog, 0x47C), "last.ppl");
                        ChooseFileOfType("プール作成", "ppl(*.ppl)", files_.PathOf("built"))(dialog);
                      },
                      AnswerLeaveOutQuestion(1,
                                             "3行目の「星」（baseformに音素記号でない文字があります）\n"
                                             "\n要確認の行が1行あります（F8で移動できます）。\n"
                                             "　baseformに\"*\"がある行：1行\n",
                                             IDYES),
                      ExpectMessage(PoolBuilt(2, 1), MB_ICONINFORMATION, IDOK)});
  EXPECT_EQ(Title(), TitleFor(current));
  EXPECT_STREQ(CurrentFile.path, current.c_str());
  EXPECT_STREQ(PoolFile.path, path.c_str()) << "the next pool dialog proposes it";
  EXPECT_STREQ(PoolFile.title, "built.ppl");
  EXPECT_EQ(GetFocus(), list_);

  ClearWordList(list());
  EXPECT_TRUE(LoadPoolFile(list(), path.c_str()));
  EXPECT_EQ(Rows(), rows) << "read back";
}

// With every row writable, the rows that need attention are counted in a
// note before writing; its Cancel writes nothing.
TEST_F(SaveTest, BuildPoolNotesTheRowsThatNeedAttention) {
  Append({{"a", "あ", "a"}, {"a", "あ", "a"}, {"b", "カ", "k a"}, {"c", "し", "sh i"}});
  const std::string note = "要確認の行が2行あります（F8で移動できます）。\n"
                           "　よみがひらがなでない行：1行\n"
                           "　単語とよみが前の行と同じ行：1行\n";
  const std::string path = files_.PathOf("noted.ppl");
  CommandWithDialogs(IDM_BUILD_POOL, {ChooseFile(path), ExpectMessage(note, MB_OKCANCEL | MB_ICONINFORMATION, IDCANCEL)});
  EXPECT_FALSE(std::filesystem::exists(path));
  CommandWithDialogs(IDM_BUILD_POOL, {ChooseFile(path), ExpectMessage(note, MB_OKCANCEL | MB_ICONINFORMATION, IDOK),
                                      ExpectMessage(PoolBuilt(4, 0), MB_ICONINFORMATION, IDOK)});
  EXPECT_TRUE(std::filesystem::exists(path));
  EXPECT_EQ(GetFocus(), list_);

  // Save says nothing of them.
  const std::string text = files_.PathOf("plain.txt");
  CommandWithDialogs(IDM_SAVE_AS, {ChooseFile(text)});
  EXPECT_TRUE(std::filesystem::exists(text));
}

}  // namespace
