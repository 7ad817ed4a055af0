// The main window as the user meets it: start, commands, notifications,
// context menu and dropped files, driven by the messages the platform sends.

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "app/main_window.h"
#include "app/current_file.h"
#include "files/pool_file.h"
#include "res/resource_ids.h"
#include "tests/app/main_window_fixture.h"

namespace {

constexpr char kLoadFailed[] = "ﾌｧｲﾙを読み込めませんでした";

std::string ColumnTitle(HWND list, int column) {
  wchar_t title[64] = {};
  LVCOLUMNW info{};
  info.mask = LVCF_TEXT;
  info.pszText = title;
  info.cchTextMax = 63;
  SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&info));
  return Sjis(title);
}

TEST_F(MainWindowTest, StartsUntitledWithAnEmptyFocusedListAboveTheStatusBar) {
  EXPECT_EQ(Title(), kUntitledTitle);
  EXPECT_EQ(GetFocus(), list_);
  EXPECT_EQ(RowCount(list()), 0);
  EXPECT_EQ(ColumnTitle(list_, 0), "単語");
  EXPECT_EQ(ColumnTitle(list_, 1), "よみ");
  EXPECT_EQ(ColumnTitle(list_, 2), "baseform");

  // The list and the bar tile the client area, at any size.
  for (const SIZE size : {SIZE{500, 333}, SIZE{640, 480}}) {
    SetWindowPos(main_, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
    RECT client, listRect, barRect;
    GetClientRect(main_, &client);
    GetWindowRect(list_, &listRect);
    MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&listRect), 2);
    HWND bar = GetDlgItem(main_, IDC_STATUS_BAR);
    ASSERT_NE(bar, nullptr);
    GetWindowRect(bar, &barRect);
    MapWindowPoints(nullptr, main_, reinterpret_cast<POINT*>(&barRect), 2);
    EXPECT_GT(barRect.bottom - barRect.top, 0);
    EXPECT_EQ(barRect.bottom, client.bottom);
    EXPECT_EQ(barRect.left, 0);
    EXPECT_EQ(barRect.right, client.right);
    const RECT above = {0, 0, client.right, barRect.top};
    EXPECT_TRUE(EqualRect(&above, &listRect));
  }
}

// The list control releases its image lists when it goes; the main window
// does not release them a second time.
TEST_F(MainWindowTest, ImageListsAreEmptyAndGoWithTheList) {
  const auto large = reinterpret_cast<HIMAGELIST>(SendMessageA(list_, LVM_GETIMAGELIST, LVSIL_NORMAL, 0));
  const auto small = reinterpret_cast<HIMAGELIST>(SendMessageA(list_, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
  ASSERT_NE(large, nullptr);
  ASSERT_NE(small, nullptr);
  EXPECT_EQ(ImageList_GetImageCount(large), 0);
  EXPECT_EQ(ImageList_GetImageCount(small), 0);
  DestroyWindow(main_);
  int cx, cy;
  EXPECT_FALSE(ImageList_GetIconSize(large, &cx, &cy));
  EXPECT_FALSE(ImageList_GetIconSize(small, &cx, &cy));
}

TEST_F(MainWindowTest, ClosingAsksEveryTimeAndOnlyYesEnds) {
  {
    DialogScript script({ExpectMessage("終了してもよいですか", MB_YESNO | MB_ICONQUESTION, IDNO)});
    SendMessageA(main_, WM_CLOSE, 0, 0);
  }
  ASSERT_TRUE(IsWindow(main_));
  SetFocus(main_);
  CommandWithDialogs(IDM_EXIT, {ExpectMessage("終了してもよいですか", MB_YESNO | MB_ICONQUESTION, IDNO)});
  ASSERT_TRUE(IsWindow(main_));
  EXPECT_EQ(GetFocus(), main_) << "Exit does not move the focus";

  CommandWithDialogs(IDM_EXIT, {ExpectMessage("終了してもよいですか", MB_YESNO | MB_ICONQUESTION, IDYES)});
  EXPECT_FALSE(IsWindow(main_));
  MSG quit;
  ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(quit.wParam, 0u);
}

// After every modal box the keyboard focus is back in the list, where it
// was: Down moves in the list at once.
TEST_F(MainWindowTest, TheFocusComesBackToTheListAfterEachModalBox) {
  Append({{"a"}, {"b"}});
  ASSERT_EQ(GetFocus(), list_);
  CommandWithDialogs(IDM_EXIT, {ExpectMessage("終了してもよいですか", MB_YESNO | MB_ICONQUESTION, IDNO)});
  EXPECT_EQ(GetFocus(), list_) << "after No to the closing question";

  Select({1});
  SetFocus(list_);
  {
    DialogScript script({[](HWND dialog) { Press(dialog, IDCANCEL); }});
    Notify(NM_DBLCLK);
  }
  EXPECT_EQ(GetFocus(), list_) << "after a double-click edit";

  {
    DialogScript script({ExpectMessage(kLoadFailed, MB_ICONERROR, IDOK)});
    OpenCommandLineFile(main_, files_.PathOf("missing.txt").c_str());
  }
  EXPECT_EQ(GetFocus(), list_) << "after the start-up message";
}

TEST_F(MainWindowTest, CommandLineFileBecomesTheCurrentFileAsTyped) {
  const std::string path = files_.Write("start.txt", "one\ntwo\n");
  OpenCommandLineFile(main_, path.c_str());
  EXPECT_EQ(Words(), (std::vector<std::string>{"one", "two"}));
  EXPECT_EQ(Title(), TitleFor(path));
  EXPECT_STREQ(CurrentFile.path, path.c_str());

  // A relative path stays relative in the title.
  char folder[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, folder);
  SetCurrentDirectoryA(files_.PathOf("").c_str());
  OpenCommandLineFile(main_, "start.txt");
  SetCurrentDirectoryA(folder);
  EXPECT_EQ(Title(), TitleFor("start.txt"));
  EXPECT_EQ(RowCount(list()), 2);
}

TEST_F(MainWindowTest, CommandLineFileThatCannotBeReadLeavesTheWindowUntitled) {
  const std::string missing = files_.PathOf("missing.txt");
  // A readable file whose path does not fit the current file's 260 bytes is
  // refused, never cut.
  const std::string folder = files_.PathOf(std::string(100, 'a') + "\\" + std::string(100, 'b'));
  std::filesystem::create_directories(folder);
  const std::string tooLong = folder + "\\" + std::string(60, 'c') + ".txt";
  std::ofstream(tooLong) << "word\n";
  ASSERT_TRUE(std::filesystem::exists(tooLong));
  for (const std::string& path : {missing, tooLong}) {
    DialogScript script({[&](HWND box) {
      EXPECT_TRUE(IsWindowVisible(main_)) << "the window shows before the message";
      ExpectMessage(kLoadFailed, MB_ICONERROR, IDOK)(box);
    }});
    OpenCommandLineFile(main_, path.c_str());
  }
  EXPECT_EQ(RowCount(list()), 0);
  EXPECT_EQ(Title(), kUntitledTitle);
  EXPECT_STREQ(CurrentFile.path, "");
}

TEST_F(MainWindowTest, NewEmptiesListAndCurrentFileButKeepsSortDirections) {
  const std::string path = files_.Write("a.txt", "b\na\n");
  CommandWithDialogs(IDM_OPEN, {ChooseFile(path)});
  ClickColumn(0);
  SetFocus(main_);
  Command(IDM_NEW);
  EXPECT_EQ(RowCount(list()), 0);
  EXPECT_EQ(Title(), kUntitledTitle);
  EXPECT_STREQ(CurrentFile.path, "");
  EXPECT_STREQ(CurrentFile.title, "");
  EXPECT_EQ(ColumnSortDirection(list(), 0), 1);
  EXPECT_EQ(GetFocus(), list_);
}

// Open reads UTF-8 lists (their forms are the reader's own tests): a
// character code page 932 cannot hold becomes "〓" in a row without a
// reading, and a message names its line.
TEST_F(MainWindowTest, Utf8ListsOpenAsTheirShiftJisTwin) {
  CommandWithDialogs(IDM_OPEN, {ChooseFile(files_.Write("unheld.txt", reinterpret_cast<const char*>(
                                                                            u8"ア\tあ\n\U00020BB7野\tよの\n"))),
                                ExpectMessage("Shift-JISで表せない文字を「〓」に置き換え、その行のよみを空にしました"
                                              "（1行）。\n行番号: 2",
                                              MB_ICONWARNING, IDOK)});
  EXPECT_EQ(Rows(), (std::vector<Row>{{"ア", "あ", "a"}, {"〓野"}}));
}

TEST_F(MainWindowTest, OpenReplacesTheRowsAndNamesTheWindow) {
  Append({{"old"}});
  const std::string path = files_.Write("open.txt", "b\na\n");
  CommandWithDialogs(IDM_OPEN, {CancelFileDialog()});
  EXPECT_EQ(Words(), std::vector<std::string>{"old"});
  EXPECT_EQ(Title(), kUntitledTitle);

  CommandWithDialogs(IDM_OPEN, {ChooseFile(path)});
  EXPECT_EQ(Words(), (std::vector<std::string>{"b", "a"}));
  EXPECT_EQ(Title(), TitleFor(path));
  EXPECT_STREQ(CurrentFile.title, "open.txt");
  EXPECT_EQ(GetFocus(), list_);

}

// A file that cannot be read leaves the rows, the title and the current file
// as they were, whichever way it came (Open, the command line): Save then
// writes the file the title names, never the one that failed.
TEST_F(MainWindowTest, AFailedOpenLeavesTheCurrentFileForSave) {
  const std::string first = files_.Write("a.txt", "a\n");
  const std::string failed = files_.Write("b.txt", "b\n");
  const struct {
    const char* how;
    std::function<void()> open;
  } cases[] = {
      {"Open", [&] { CommandWithDialogs(IDM_OPEN, {ChooseFile(failed), ExpectMessage(kLoadFailed, MB_ICONERROR, IDOK)}); }},
      {"command line",
       [&] {
         DialogScript script({ExpectMessage(kLoadFailed, MB_ICONERROR, IDOK)});
         OpenCommandLineFile(main_, failed.c_str());
       }},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.how);
    CommandWithDialogs(IDM_OPEN, {ChooseFile(first)});
    Append({{"added"}});
    {
      LockedFile locked(failed);
      c.open();
    }
    EXPECT_EQ(Words(), (std::vector<std::string>{"a", "added"}));
    EXPECT_EQ(Title(), TitleFor(first));
    EXPECT_STREQ(CurrentFile.path, first.c_str());
    EXPECT_STREQ(CurrentFile.title, "a.txt");
    Command(IDM_SAVE);
    EXPECT_EQ(FileBytes(first), "a\r\nadded\r\n");
    EXPECT_EQ(FileBytes(failed), "b\n");
    files_.Write("a.txt", "a\n");
  }
}

TEST_F(MainWindowTest, ReadingFurtherFilesAppendsAndKeepsTheCurrentFile) {
  const std::string main = files_.Write("main.txt", "main\n");
  CommandWithDialogs(IDM_OPEN, {ChooseFileOfType("開く", "text(*.txt)", main)});
  CommandWithDialogs(IDM_READ_WORD_LIST, {ChooseFileOfType("開く", "text(*.txt)", files_.Write("more.txt", "more\n"))});
  CommandWithDialogs(IDM_READ_GRAMMAR_FILE,
                     {ChooseFileOfType("開く", "fsg(*.fsg)", files_.Write("g.fsg", GrammarFile({"g1", "g2"})))});
  const std::string pool = files_.Write("p.ppl", PoolFileBytes({"p1"}));
  CommandWithDialogs(IDM_READ_POOL_FILE, {ChooseFileOfType("開く", "ppl(*.ppl)", pool)});
  for (int command : {IDM_READ_WORD_LIST, IDM_READ_GRAMMAR_FILE, IDM_READ_POOL_FILE}) {
    CommandWithDialogs(command, {CancelFileDialog()});  // no message
  }
  EXPECT_EQ(Words(), (std::vector<std::string>{"main", "more", "g1", "g2", "p1"}));
  EXPECT_EQ(Rows().back(), (Row{"p1", "r", "a"}));
  EXPECT_EQ(Title(), TitleFor(main));
  EXPECT_STREQ(CurrentFile.path, main.c_str());
  EXPECT_STREQ(CurrentFile.title, "main.txt");
  EXPECT_STREQ(PoolFile.path, pool.c_str());

  // Each dialog proposes the file of its own buffers.
  const auto expectProposal = [](const char* name) {
    return [name](HWND dialog) {
      EXPECT_EQ(DialogText(dialog, 0x47C), name);
      Press(dialog, IDCANCEL);
    };
  };
  CommandWithDialogs(IDM_OPEN, {expectProposal("main.txt")});
  CommandWithDialogs(IDM_READ_POOL_FILE, {expectProposal("p.ppl")});
  Command(IDM_NEW);
  CommandWithDialogs(IDM_OPEN, {expectProposal("")});
}

TEST_F(MainWindowTest, ReadCommandsReportFilesThatCannotBeRead) {
  const std::string main = files_.Write("main.txt", "main\n");
  CommandWithDialogs(IDM_OPEN, {ChooseFile(main)});
  const struct {
    int command;
    std::string path;
  } cases[] = {{IDM_READ_WORD_LIST, files_.Write("t.txt", "t\n")},
               {IDM_READ_GRAMMAR_FILE, files_.Write("g.fsg", GrammarFile({"g"}))},
               {IDM_READ_POOL_FILE, files_.Write("p.ppl", PoolFileBytes({"p"}))}};
  for (const auto& c : cases) {
    LockedFile locked(c.path);
    CommandWithDialogs(c.command, {ChooseFile(c.path), ExpectMessage(kLoadFailed, MB_ICONERROR, IDOK)});
    EXPECT_STREQ(CurrentFile.path, main.c_str()) << c.command;
  }
  // A pool file whose header differs.
  CommandWithDialogs(IDM_READ_POOL_FILE, {ChooseFile(files_.Write("bad.ppl", "not a pool file")),
                                          ExpectMessage(kLoadFailed, MB_ICONERROR, IDOK)});
  EXPECT_EQ(Words(), std::vector<std::string>{"main"});
  EXPECT_EQ(GetFocus(), list_);
}

int SelectedCount(HWND list) { return static_cast<int>(SendMessageA(list, LVM_GETSELECTEDCOUNT, 0, 0)); }

TEST_F(MainWindowTest, DeleteRemovesOnlyTheFirstSelectedRow) {
  Append({{"0"}, {"1"}, {"2"}, {"3"}, {"4"}, {"5"}});
  SetFocus(main_);
  Command(IDM_DELETE);
  EXPECT_EQ(RowCount(list()), 6) << "nothing selected";
  EXPECT_EQ(GetFocus(), list_);
  EXPECT_EQ(SelectedCount(list_), 0) << "no re-selection without a deletion";
  Select({2, 5});
  Command(IDM_DELETE);
  EXPECT_EQ(Words(), (std::vector<std::string>{"0", "1", "3", "4", "5"}));
}

TEST_F(MainWindowTest, ModifyWithoutSelectionOpensNothingButStillReselects) {
  Append({{"a"}, {"b"}});
  Notify(NM_DBLCLK);    // no dialogs: the watch would fail on one
  Command(IDM_MODIFY);
  // No row holds the focus, so the re-selection reaches every row.
  EXPECT_EQ(SelectedCount(list_), 2);
  EXPECT_EQ(GetFocus(), list_);
}

TEST_F(MainWindowTest, DoubleClickEditsTheFirstSelectedRowWithoutClosingSteps) {
  Append({{"a", "r", "b"}, {"x"}, {"y"}});
  Select({1, 2});
  SetFocus(main_);
  {
    DialogScript script({[](HWND dialog) {
      EXPECT_EQ(DialogText(dialog, 1000), "x");
      Press(dialog, IDCANCEL);
    }});
    Notify(NM_DBLCLK);
  }
  EXPECT_NE(GetFocus(), list_);
  // A notification from another control is not the list's.
  Notify(NM_DBLCLK, 0, 101);
  Notify(LVN_COLUMNCLICK, 0, 101);
  EXPECT_EQ(ColumnSortDirection(list(), 0), 0);
}

TEST_F(MainWindowTest, AboutClosesWithOkOrCancelAndFocusesTheList) {
  for (int button : {IDOK, IDCANCEL}) {
    SetFocus(main_);
    CommandWithDialogs(IDM_ABOUT, {[button](HWND dialog) {
      EXPECT_EQ(DialogText(dialog), "Lexiforgeのﾊﾞｰｼﾞｮﾝ情報");
      Press(dialog, button);
    }});
    EXPECT_EQ(GetFocus(), list_);
  }
}

TEST_F(MainWindowTest, UnknownCommandsDoNothing) {
  Append({{"a"}});
  SetFocus(main_);
  Command(40008);  // no such command
  EXPECT_EQ(GetFocus(), main_);
  EXPECT_EQ(RowCount(list()), 1);
  EXPECT_EQ(Title(), kUntitledTitle);
}

TEST_F(MainWindowTest, ContextMenuOpensAtThePointerOverARowOnly) {
  Append({{"a"}, {"b"}});
  RECT row{};
  row.left = LVIR_BOUNDS;
  SendMessageA(list_, LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
  POINT onRow{row.left + 20, (row.top + row.bottom) / 2};
  POINT belowRows{row.left + 20, row.bottom + 40};
  ClientToScreen(list_, &onRow);
  ClientToScreen(list_, &belowRows);
  SetCursorPos(300, 200);
  const auto requestAt = [&](HWND target, LPARAM position) {
    DialogScript script({});
    SendMessageA(main_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(target), position);
    return script.menu_position();
  };
  const POINT shown = requestAt(list_, MAKELPARAM(onRow.x, onRow.y));
  EXPECT_EQ(shown.x, 300);
  EXPECT_EQ(shown.y, 200);
  for (const auto& [target, position] : {std::pair{list_, MAKELPARAM(belowRows.x, belowRows.y)},
                                         std::pair{list_, static_cast<LPARAM>(-1)},  // the keyboard's request
                                         std::pair{main_, MAKELPARAM(onRow.x, onRow.y)}}) {
    EXPECT_EQ(requestAt(target, position).x, -1) << position;
  }
}

TEST_F(MainWindowTest, DroppedFilesAreReadByTheLastThreeBytesOfTheirNames) {
  const std::string main = files_.Write("main.txt", "main\n");
  OpenCommandLineFile(main_, main.c_str());
  const std::vector<std::string> dropped = {
      files_.Write("a.fsg", GrammarFile({"grammar"})),
      files_.Write("a.ppl", PoolFileBytes({"pool"})),
      files_.Write("B.FSG", "upper case\tよみ\n"),  // a text word list
      files_.PathOf("missing.txt"),                  // passed over in silence
      files_.Write("abcfsg", GrammarFile({"no dot"})),
      files_.PathOf(std::string(600, 'x')),          // too long for the buffer
      files_.Write("B.PPL", "text too\n"),
  };
  SetFocus(main_);
  SendMessageA(main_, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(dropped)), 0);
  const std::vector<Row> expected = {{"main"}, {"grammar"}, {"pool", "r", "a"}, {"upper case", "よみ", "y o m i"},
                                     {"no dot"}, {"text too"}};
  EXPECT_EQ(Rows(), expected);
  EXPECT_EQ(Title(), TitleFor(main));
  EXPECT_STREQ(CurrentFile.path, main.c_str());
  EXPECT_STREQ(PoolFile.path, "");
  EXPECT_EQ(GetFocus(), main_);
}
}  // namespace
