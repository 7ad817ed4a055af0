// The list control as a view of the table: it shows the table's bytes, keeps
// the rows' selection and focus by the table's rules, finds a row by the
// first characters typed, and sends no message per row, however many rows
// the table holds.

#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "convert/sjis_text.h"
#include "res/resource_ids.h"
#include "tests/app/main_window_fixture.h"
#include "wordlist/sort_order.h"
#include "app/word_list_view.h"

namespace {

// Every row's states, as the list's operations report them.
struct States {
  std::vector<bool> selected;
  int focused;
  bool operator==(const States&) const = default;
};

States StatesOf(WordList list) {
  States states{{}, FocusedRow(list)};
  for (int i = 0; i < RowCount(list); ++i) states.selected.push_back(IsWordRowSelected(list, i));
  return states;
}

void PrintTo(const States& states, std::ostream* os) {
  *os << "selected {";
  for (size_t i = 0; i < states.selected.size(); ++i) {
    if (states.selected[i]) *os << ' ' << i;
  }
  *os << " }, focused " << states.focused;
}

// The same steps on the program's list, whose control keeps the states, and
// on a table of its own, which keeps them itself: after each step both hold
// the same rows in the same states.
TEST_F(MainWindowTest, TheControlKeepsSelectionAndFocusByTheTablesRules) {
  const std::unique_ptr<WordTable, void (*)(WordList)> table(CreateWordTable(), DestroyWordTable);
  const WordList lists[] = {list(), table.get()};
  const auto each = [&](auto step) {
    for (WordList l : lists) step(l);
  };
  const auto expectSame = [&](const char* after) {
    EXPECT_EQ(StatesOf(list()), StatesOf(table.get())) << "after " << after;
    EXPECT_EQ(RowCount(list()), static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0))) << after;
  };

  each([](WordList l) {
    for (int i = 0; i < 10; ++i) InsertWordRow(l, i, TestEntry(std::string(1, static_cast<char>('j' - i))));
  });
  each([](WordList l) {
    for (int i : {2, 5, 7}) SelectWordRow(l, i, true);
    FocusWordRow(l, 5);
  });
  expectSame("selecting");
  each([](WordList l) { InsertWordRow(l, 0, TestEntry("first")); });
  expectSame("an insert at the top");
  each([](WordList l) { InsertWordRow(l, 6, TestEntry("middle")); });
  expectSame("an insert before the focused row");
  WithRedrawSuspended(list_, [&] {
    each([](WordList l) {
      InsertWordRow(l, RowCount(l), TestEntry("appended"));
      InsertWordRow(l, 4, TestEntry("while suspended"));
      InsertWordRow(l, RowCount(l), TestEntry("appended again"));
    });
  });
  expectSame("inserts while painting is suspended");
  each(DeleteSelectedWordRow);
  expectSame("a deletion of the first selected row");
  each([](WordList l) {
    SelectWordRow(l, FocusedRow(l), true);
    while (FirstSelectedRow(l) != FocusedRow(l)) SelectWordRow(l, FirstSelectedRow(l), false);
    DeleteSelectedWordRow(l);
  });
  expectSame("a deletion of the focused row");
  each([](WordList l) {
    FocusWordRow(l, RowCount(l) - 1);
    SelectWordRow(l, RowCount(l) - 1, true);
  });
  each([](WordList l) { SortWordList(l, 0); });
  expectSame("a sort");
  each([](WordList l) { SortWordList(l, 0); });
  expectSame("a second sort");
  each(ReselectFocusedRow);
  expectSame("re-selection");
  each([](WordList l) {
    while (FirstSelectedRow(l) >= 0) DeleteSelectedWordRow(l);
  });
  expectSame("deleting every selected row");
  each([](WordList l) { FocusWordRow(l, -1); });
  each(ReselectFocusedRow);
  expectSame("re-selection without a focused row");
  each([](WordList l) {
    const std::unique_ptr<WordTable, void (*)(WordList)> other(CreateWordTable(), DestroyWordTable);
    InsertWordRow(other.get(), 0, TestEntry("swapped in"));
    SwapWordRows(l, other.get());
  });
  expectSame("a swap");
  each(ClearWordList);
  expectSame("clearing");
}

TEST_F(MainWindowTest, TheControlShowsTheTablesTexts) {
  Append({{"漢字", "かんじ", "k a _n j i"}, {"x"}});
  const struct {
    int row, column;
    const char* shown;
  } cells[] = {{0, 2, "k a _n j i"}, {0, 0, "漢字"}, {1, 1, ""}};  // an empty reading
  for (const auto& cell : cells) {
    wchar_t text[64] = {};
    LVITEMW item{};
    item.iSubItem = cell.column;
    item.pszText = text;
    item.cchTextMax = 64;
    SendMessageW(list_, LVM_GETITEMTEXTW, cell.row, reinterpret_cast<LPARAM>(&item));
    EXPECT_EQ(Sjis(item.pszText), cell.shown);
  }
}

// Typing a word's first letters moves the focus to the next row whose word
// starts with them, whatever their case, wrapping to the top.
TEST_F(MainWindowTest, TypingAWordsFirstLettersFindsItsRow) {
  Append({{"apple"}, {"Kiwi"}, {"banana"}, {"kumquat"}});
  SetFocus(list_);
  SendMessageA(list_, WM_CHAR, 'k', 1);
  EXPECT_EQ(FocusedRow(list()), 1);
  EXPECT_EQ(FirstSelectedRow(list()), 1);
  SendMessageA(list_, WM_CHAR, 'u', 1);
  EXPECT_EQ(FocusedRow(list()), 3) << "\"ku\" is kumquat";
  Sleep(1100);  // after a pause a new search begins
  SendMessageA(list_, WM_CHAR, 'a', 1);
  EXPECT_EQ(FocusedRow(list()), 0) << "from the top again";
}

// Messages the list control receives, counted while the control lives.
LRESULT CALLBACK CountMessages(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR count) {
  ++*reinterpret_cast<size_t*>(count);
  return DefSubclassProc(list, message, wParam, lParam);
}

// What each step costs the control, in messages, at 1,000 and at 1,000,000
// rows: the same (a few, and the texts of the rows in view), never one per
// row.
TEST_F(MainWindowTest, NoStepSendsAMessagePerRow) {
  const auto wordList = [](int rows) {
    std::string file;
    for (int i = 0; i < rows; ++i) {
      file.append("w");
      file.append(std::to_string(i % 997));
      file.append("\tかな\n");
    }
    return file;
  };
  const std::string small = files_.Write("small.txt", wordList(1000));
  const std::string big = files_.Write("big.txt", wordList(1000000));
  size_t messages = 0;
  ASSERT_TRUE(SetWindowSubclass(list_, CountMessages, 1, reinterpret_cast<DWORD_PTR>(&messages)));

  std::vector<size_t> costs[2];
  const std::string paths[2] = {small, big};
  for (int size = 0; size < 2; ++size) {
    const std::string& path = paths[size];
    std::vector<size_t>& cost = costs[size];
    const auto step = [&](auto work) {
      messages = 0;
      work();
      UpdateWindow(main_);
      cost.push_back(messages);
    };
    step([&] { OpenCommandLineFile(main_, path.c_str()); });
    step([&] { ClickColumn(0); });
    step([&] {
      SelectWordRow(list(), 5, true);
      FocusWordRow(list(), 5);
      Command(IDM_DELETE);
    });
    step([&] { InsertWordRow(list(), 3, TestEntry("inserted")); });
    step([&] { OpenCommandLineFile(main_, path.c_str()); });
    step([&] { Command(IDM_NEW); });
  }
  RemoveWindowSubclass(list_, CountMessages, 1);
  const char* steps[] = {"open", "sort", "delete", "insert", "open over the rows", "new"};
  for (size_t i = 0; i < costs[0].size(); ++i) {
    std::printf("%-20s %6zu messages at 1,000 rows, %6zu at 1,000,000\n", steps[i], costs[0][i], costs[1][i]);
    EXPECT_LE(costs[1][i], costs[0][i] + 200) << "step " << i << ": " << costs[0][i] << " messages at 1,000 rows, "
                                               << costs[1][i] << " at 1,000,000";
  }
}

}  // namespace

namespace {

// The pixels of a rectangle of the list as it is shown, one luminance byte
// (0 black to 255 white) each, row by row.
std::vector<uint8_t> Luminance(HWND list, const RECT& rect, int& width, int& height) {
  width = rect.right - rect.left;
  height = rect.bottom - rect.top;
  HDC screen = GetDC(list);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, width, height);
  HGDIOBJ old = SelectObject(memory, bitmap);
  BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
  SelectObject(memory, old);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top row first
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
  GetDIBits(memory, bitmap, 0, height, pixels.data(), &info, DIB_RGB_COLORS);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(list, screen);
  std::vector<uint8_t> luminance;
  for (uint32_t pixel : pixels) {
    luminance.push_back(static_cast<uint8_t>(((pixel >> 16 & 0xFF) * 3 + (pixel >> 8 & 0xFF) * 6 + (pixel & 0xFF)) / 10));
  }
  return luminance;
}

}  // namespace

// Every phoneme symbol is drawn, whole, inside its cell: "_n" never looks
// like " n", and no character touches the edge of its row, where the row
// would cut it off.
TEST_F(MainWindowTest, EveryCharacterOfABaseformIsDrawnWholeInsideItsCell) {
  Append({{"漢字", "かんじ", "k a _n j i"},
          {"space", "", "k a  n j i"},
          {"学校", "がっこう", "g a Qk o o"},
          {"らーめん", "らーめん", "r a a: m e _n"},
          {"星", "ほし", "h o *"}});
  UpdateWindow(main_);
  const auto cell = [&](int row, int column) {
    RECT rect{};
    rect.top = column;
    rect.left = LVIR_LABEL;
    SendMessageA(list_, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    return rect;
  };
  constexpr uint8_t kInk = 128;  // darker than this is text; grid lines are lighter
  for (int row = 0; row < 5; ++row) {
    for (int column = 0; column < 3; ++column) {
      int width, height;
      const RECT rect = cell(row, column);
      const std::vector<uint8_t> pixels = Luminance(list_, rect, width, height);
      ASSERT_GT(height, 2);
      int ink = 0;
      for (int x = 0; x < width; ++x) {
        ink += pixels[x] < kInk;
        EXPECT_GE(pixels[x], kInk) << "row " << row << ", column " << column << ": ink on the cell's top line";
        EXPECT_GE(pixels[(height - 1) * width + x], kInk) << "row " << row << ", column " << column
                                                           << ": ink on the cell's bottom line";
      }
      for (uint8_t pixel : pixels) ink += pixel < kInk;
      if (!WordRowText(list(), row, column).empty()) {
        EXPECT_GT(ink, 0) << "row " << row << ", column " << column << " shows nothing";
      }
    }
  }
  int width, height;
  const std::vector<uint8_t> underscore = Luminance(list_, cell(0, 2), width, height);
  const std::vector<uint8_t> space = Luminance(list_, cell(1, 2), width, height);
  int differing = 0;
  for (size_t i = 0; i < underscore.size(); ++i) differing += (underscore[i] < kInk) != (space[i] < kInk);
  EXPECT_GT(differing, 0) << "\"k a _n j i\" and \"k a  n j i\" look the same";
}
