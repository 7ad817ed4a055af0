#include "wordlist/word_list_view.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "convert/sjis_text.h"
#include "res/resource_ids.h"
#include "wordlist/sort_order.h"

namespace {

constexpr DWORD kListStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOLABELWRAP;
static_assert(kListStyle == 0x50800089);
constexpr DWORD kListExtendedStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
static_assert(kListExtendedStyle == 0x421);

constexpr int kColumnWidth = 150;
const char* const kColumnTitles[kWordColumns] = {"単語", "よみ", "baseform"};

// What GetWordRow hands out of each text: the entry dialog reads rows
// through 128-byte buffers.
constexpr size_t kRowReadLimit = 127;

// Row keys are never reused in the life of the process: a 64-bit counter
// does not run out.
LPARAM g_nextRowKey = 1;

// Every list CreateWordList made, so that CompareWordRows, which is given
// row keys alone, can find the rows.
std::vector<HWND> g_lists;

// Copies `limit` bytes at most of one text of a row into `dest`, cut at a
// whole character and terminated. The control is asked for limit + 1 bytes
// into a zero-filled buffer one byte longer still: under Wine a text cut to
// the requested size comes without its NUL, so the control's own cut is
// never trusted. No such row: an empty text.
template <size_t N>
std::string_view FetchRowText(HWND list, int index, int column, char (&dest)[N], size_t limit) {
  char fetched[kWordFieldSize + 1] = {};
  const size_t asked = std::min(limit + 1, kWordFieldSize);
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = fetched;
  item.cchTextMax = static_cast<int>(asked);
  SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
  // The control may also have pointed pszText at a text of its own.
  const char* text = item.pszText ? item.pszText : fetched;
  const size_t length = CopySjisText(dest, std::string_view(text, strnlen(text, asked)), limit);
  return {dest, length};
}

LPARAM RowKey(HWND list, int index) {
  LVITEMA item{};
  item.mask = LVIF_PARAM;
  item.iItem = index;
  if (!SendMessageA(list, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
  return item.lParam;
}

// A field of an entry as a row stores it: at most 255 bytes, ending at a whole
// character, terminated, even when the field lacks its NUL.
struct RowText {
  char text[kWordFieldSize];
};

RowText FieldText(const char (&field)[kWordFieldSize]) {
  RowText out;
  CopySjisText(out.text, std::string_view(field, strnlen(field, kWordFieldSize)));
  return out;
}

// One text of a row as the sort sees it: the control hands out 30 bytes.
struct SortText {
  char text[kSortTextLimit + 1];
};

void SetRowText(HWND list, int index, int column, char* text) {
  LVITEMA item{};
  item.iSubItem = column;
  item.pszText = text;
  SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
}

int NextRowInState(HWND list, UINT state) {
  return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(state, 0)));
}

// The list control's sort callback. The order is decided before the sort by
// the same stable sort the in-memory table uses; the control only moves its
// rows into it. Sending messages to the list from inside its sort is not
// safe, and finding each row again on every comparison is a linear search
// inside an n log n sort (minutes for a few ten thousand rows).
int CALLBACK CompareSortRanks(LPARAM key1, LPARAM key2, LPARAM ranks) {
  const auto& rank = *reinterpret_cast<const std::unordered_map<LPARAM, uint32_t>*>(ranks);
  const auto r1 = rank.find(key1);
  const auto r2 = rank.find(key2);
  if (r1 == rank.end() || r2 == rank.end()) return 0;
  return r1->second < r2->second ? -1 : r1->second > r2->second ? 1 : 0;
}

}  // namespace

HWND CreateWordList(HWND parent) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
  HWND list = CreateWindowExA(0, WC_LISTVIEWA, "", kListStyle, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_WORD_LIST)), instance, nullptr);
  if (list) {
    std::erase_if(g_lists, [](HWND old) { return !IsWindow(old); });
    try {
      g_lists.push_back(list);
    } catch (const std::bad_alloc&) {
      // Only CompareWordRows looks for lists here; the list works without.
    }
  }
  return list;
}

void SetUpWordList(HWND list) {
  HIMAGELIST large = ImageList_Create(32, 32, ILC_COLOR4, 4, 0);
  HIMAGELIST small = ImageList_Create(16, 16, ILC_COLOR4, 4, 0);
  SendMessageA(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large));
  SendMessageA(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small));
  // The rows name image 0, but the program's icons are numbered 106 and 107
  // and nothing carries these names: the image lists stay empty and the rows
  // show no icon, as they always have.
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(list, GWLP_HINSTANCE));
  if (HICON icon = LoadIconA(instance, "MYICON1")) ImageList_ReplaceIcon(large, -1, icon);
  if (HICON icon = LoadIconA(instance, "S1")) ImageList_ReplaceIcon(small, -1, icon);

  const auto style = static_cast<DWORD>(SendMessageA(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  SendMessageA(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style | kListExtendedStyle);

  for (int c = 0; c < kWordColumns; ++c) {
    char title[16];
    CopySjisText(title, kColumnTitles[c]);
    LVCOLUMNA column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = kColumnWidth;
    column.pszText = title;
    column.iSubItem = c;
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
}

// The control inserts at its row count when the index lies beyond it, so the
// reading and baseform go to the index it reports. A row it cannot insert
// (no memory) changes nothing.
void InsertWordRow(WordList list, int index, const WordEntry& entry) {
  HWND hwnd = ListWindow(list);
  RowText word = FieldText(entry.word);
  RowText reading = FieldText(entry.reading);
  RowText baseform = FieldText(entry.baseform);
  LVITEMA item{};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = index;
  item.pszText = word.text;
  item.iImage = 0;
  item.lParam = g_nextRowKey++;
  const auto at = static_cast<int>(SendMessageA(hwnd, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
  if (at < 0) return;
  SetRowText(hwnd, at, 1, reading.text);
  SetRowText(hwnd, at, 2, baseform.text);
}

void SetWordRow(WordList list, int index, const WordEntry& entry) {
  HWND hwnd = ListWindow(list);
  if (index < 0 || index >= RowCount(list)) return;
  RowText texts[kWordColumns] = {FieldText(entry.word), FieldText(entry.reading), FieldText(entry.baseform)};
  for (int c = 0; c < kWordColumns; ++c) SetRowText(hwnd, index, c, texts[c].text);
}

namespace {

void FetchRow(WordList list, int index, WordEntry& entry, size_t limit) {
  entry = WordEntry{};
  if (index < 0 || index >= RowCount(list)) return;
  HWND hwnd = ListWindow(list);
  FetchRowText(hwnd, index, 0, entry.word, limit);
  FetchRowText(hwnd, index, 1, entry.reading, limit);
  FetchRowText(hwnd, index, 2, entry.baseform, limit);
}

}  // namespace

void GetWordRow(WordList list, int index, WordEntry& entry) { FetchRow(list, index, entry, kRowReadLimit); }

void GetWholeWordRow(WordList list, int index, WordEntry& entry) {
  FetchRow(list, index, entry, kWordFieldSize - 1);
}

int RowCount(WordList list) {
  return static_cast<int>(SendMessageA(ListWindow(list), LVM_GETITEMCOUNT, 0, 0));
}

int FirstSelectedRow(WordList list) { return NextRowInState(ListWindow(list), LVNI_SELECTED); }

int FocusedRow(WordList list) { return NextRowInState(ListWindow(list), LVNI_FOCUSED); }

void DeleteSelectedWordRow(WordList list) {
  const int index = FirstSelectedRow(list);
  if (index < 0) return;
  SendMessageA(ListWindow(list), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
}

void ClearWordList(WordList list) { SendMessageA(ListWindow(list), LVM_DELETEALLITEMS, 0, 0); }

// With no focused row the request goes to every row (index -1), and then
// asks for the selection only: only one row can hold the focus, and the
// control refuses a request to focus every row whole, selection included.
void ReselectFocusedRow(WordList list) {
  const int focused = FocusedRow(list);
  LVITEMA item{};
  item.state = item.stateMask = focused >= 0 ? LVIS_FOCUSED | LVIS_SELECTED : LVIS_SELECTED;
  SendMessageA(ListWindow(list), LVM_SETITEMSTATE, static_cast<WPARAM>(focused), reinterpret_cast<LPARAM>(&item));
}

void SortWordList(WordList list, int column) {
  if (!FlipColumnSortDirection(column)) return;
  HWND hwnd = ListWindow(list);
  const int count = RowCount(list);
  try {
    std::vector<SortText> texts(static_cast<size_t>(count));
    std::vector<LPARAM> keys(static_cast<size_t>(count));
    std::vector<SortItem> items;
    items.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) {
      keys[i] = RowKey(hwnd, i);
      const std::string_view text = FetchRowText(hwnd, i, column, texts[i].text, kSortTextLimit);
      items.push_back({SortPrefix(text), static_cast<uint32_t>(i)});
    }
    SortItemsStably(items, column);
    std::unordered_map<LPARAM, uint32_t> ranks;
    ranks.reserve(items.size());
    for (size_t rank = 0; rank < items.size(); ++rank) ranks.emplace(keys[items[rank].row], static_cast<uint32_t>(rank));
    SendMessageA(hwnd, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&ranks), reinterpret_cast<LPARAM>(CompareSortRanks));
  } catch (const std::bad_alloc&) {
    // Without the memory to sort, the rows keep their order.
  }
}

// Not the list control's sort callback (see CompareSortRanks): the
// comparison of two rows of any list CreateWordList made, found by their
// keys, as the control's sort would see them.
int CompareWordRows(intptr_t key1, intptr_t key2, intptr_t column) {
  if (column < 0 || column >= kWordColumns) return 0;
  const int c = static_cast<int>(column);
  SortText texts[2] = {};
  std::string_view prefixes[2];
  const intptr_t keys[2] = {key1, key2};
  for (int i = 0; i < 2; ++i) {
    for (HWND list : g_lists) {
      if (!IsWindow(list)) continue;
      LVFINDINFOA find{};
      find.flags = LVFI_PARAM;
      find.lParam = keys[i];
      const auto index = static_cast<int>(
          SendMessageA(list, LVM_FINDITEMA, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&find)));
      if (index < 0) continue;
      prefixes[i] = SortPrefix(FetchRowText(list, index, c, texts[i].text, kSortTextLimit));
      break;
    }
  }
  return CompareInColumnDirection(prefixes[0], prefixes[1], c);
}
