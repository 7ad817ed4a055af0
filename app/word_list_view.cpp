#include "app/word_list_view.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "convert/sjis_text.h"
#include "convert/sjis_text_win32.h"
#include "files/pool_file.h"
#include "res/messages.h"
#include "res/resource_ids.h"
#include "wordlist/edit_history.h"
#include "wordlist/sort_order.h"

namespace {

constexpr DWORD kListStyle =
    WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOLABELWRAP | LVS_OWNERDATA;
static_assert(kListStyle == 0x50801089);
constexpr DWORD kListExtendedStyle = LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP;
static_assert(kListExtendedStyle == 0x421);

constexpr int kColumnWidth = 150;
constexpr int kListFontPoints = 10;

constexpr UINT_PTR kSubclassId = 1;
// The window property by which the control finds its view.
constexpr char kViewProperty[] = "rows";

// A text cut to fit `size` bytes with its NUL, at a whole character.
void CopyForDisplay(char* dest, int size, std::string_view text) {
  if (!dest || size <= 0) return;
  const size_t length = SjisPrefixLength(text, static_cast<size_t>(size) - 1);
  std::memcpy(dest, text.data(), length);
  dest[length] = '\0';
}

// ASCII letters fold to lower case; double-byte characters are compared as
// they are, so that a trail byte is never taken for a letter.
bool StartsWithIgnoringCase(std::string_view text, std::string_view start) {
  if (start.size() > text.size()) return false;
  for (size_t i = 0; i < start.size();) {
    const auto a = static_cast<unsigned char>(text[i]);
    const auto b = static_cast<unsigned char>(start[i]);
    if (IsSjisLeadByte(a)) {
      if (i + 1 >= start.size()) return a == b && start.size() == i + 1;
      if (text[i] != start[i] || text[i + 1] != start[i + 1]) return false;
      i += 2;
      continue;
    }
    const auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; };
    if (fold(a) != fold(b)) return false;
    ++i;
  }
  return true;
}

UINT ListStates(unsigned state) {
  return (state & kRowSelected ? LVIS_SELECTED : 0) | (state & kRowFocused ? LVIS_FOCUSED : 0);
}

// The list control and its table. The control keeps the selection and the
// focus; this keeps them with their rows as the table changes, by the rules
// of wordlist/word_list.h.
class ListView final : public WordListView {
 public:
  // F8 visits the rows the pool writer would leave out too.
  ListView(HWND list, WordList table) : list_(list), table_(table), history_(table), attention_(PoolFileLeftOutReason) {}
  ~ListView() {
    if (font_) DeleteObject(font_);
  }
  ListView(const ListView&) = delete;
  ListView& operator=(const ListView&) = delete;

  WordList table() const { return table_; }
  EditHistory& history() { return history_; }
  AttentionIndex& attention() { return attention_; }

  // The list's own font, released with the view.
  void UseFont(HFONT font) {
    SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (font_) DeleteObject(font_);
    font_ = font;
  }

  void Suspend() {
    if (suspended_++ == 0) SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
  }

  void Resume() {
    if (suspended_ == 0 || --suspended_ > 0) return;
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);
    ShowRowCount(0);
    InvalidateRect(list_, nullptr, TRUE);
  }

  void RowInserted(int index) override {
    // A row appended while painting is suspended needs nothing now: its
    // count is caught up on resuming, and it has no state to move.
    if (suspended_ > 0 && index >= shownRows_) return;
    const bool appended = index >= shownRows_;
    ShowRowCount(appended ? LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL : LVSICF_NOSCROLL);
    if (!appended) MoveStates(index, +1);
  }

  void RowDeleted(int index) override {
    ShowRowCount(0, 1);  // every row the table had before, still with the deleted one
    const int focused = NextRowInState(-1, kRowFocused);
    SetState(index, 0, kRowSelected | kRowFocused);
    MoveStates(index + 1, -1);
    const int rows = RowCount(table_);
    if (focused == index && rows > 0) SetState(std::min(index, rows - 1), kRowFocused, kRowFocused);
    ShowRowCount(LVSICF_NOSCROLL);
  }

  // While painting is suspended, resuming repaints every row anyway.
  void RowChanged(int index) override {
    if (suspended_ == 0) SendMessageW(list_, LVM_REDRAWITEMS, index, index);
  }

  void RowTextsChanged() override {
    if (suspended_ == 0) InvalidateRect(list_, nullptr, FALSE);
  }

  void RowsReplaced() override {
    shownRows_ = 0;
    SendMessageW(list_, LVM_SETITEMCOUNT, 0, 0);
    SetState(-1, 0, kRowSelected | kRowFocused);
    SendMessageW(list_, LVM_SETSELECTIONMARK, 0, -1);
    if (suspended_ == 0) ShowRowCount(0);
    focus_ = -1;  // an empty list has none, and a longer count gives none
  }

  void RowsAppended(int) override {
    if (suspended_ == 0) ShowRowCount(LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  }

  void RowsReordered(const std::vector<uint32_t>& order) override {
    ShowRowCount(0);
    std::vector<uint32_t> place(order.size());
    for (size_t i = 0; i < order.size(); ++i) place[order[i]] = static_cast<uint32_t>(i);
    const int focused = NextRowInState(-1, kRowFocused);
    const int mark = static_cast<int>(SendMessageW(list_, LVM_GETSELECTIONMARK, 0, 0));
    const std::vector<int> selected = RowsInState(-1, kRowSelected);
    // With every row selected, every row stays selected.
    if (selected.size() != order.size()) {
      for (int row : selected) SetState(row, 0, kRowSelected);
      for (int row : selected) SetState(static_cast<int>(place[static_cast<size_t>(row)]), kRowSelected, kRowSelected);
    }
    if (focused >= 0) SetState(static_cast<int>(place[static_cast<size_t>(focused)]), kRowFocused, kRowFocused);
    if (mark >= 0 && static_cast<size_t>(mark) < place.size()) {
      SendMessageW(list_, LVM_SETSELECTIONMARK, 0, static_cast<LPARAM>(place[static_cast<size_t>(mark)]));
    }
    InvalidateRect(list_, nullptr, TRUE);
  }

  // The control finds a row by its state by asking every row from `after`
  // on, which over a million rows is slow; the questions that can be
  // answered without it are: no row selected, and the focused row, which the
  // view follows as it moves (and checks on the row before trusting it).
  int NextRowInState(int after, unsigned state) override {
    if (state & kRowSelected) {
      const auto selected = SendMessageW(list_, LVM_GETSELECTEDCOUNT, 0, 0);
      if (selected == 0) return -1;
      if (selected == 1 && state == kRowSelected) {
        const int only = OnlySelectedRow();
        if (only >= 0) return only > after ? only : -1;
      }
    }
    if (state == kRowFocused && focus_ != kFocusUnknown) {
      if (focus_ == -1) return -1;
      if (SendMessageW(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(focus_), LVIS_FOCUSED) & LVIS_FOCUSED) {
        return focus_ > after ? focus_ : -1;
      }
      focus_ = kFocusUnknown;
    }
    const int row = ScanRowInState(after, state);
    if (state == kRowFocused && after == -1) focus_ = row;
    return row;
  }

  // The one row selected, when it is one of the rows a single selection
  // is usually on (the focused row, the anchor of Shift+click); otherwise
  // -1. Call it only with one row selected.
  int OnlySelectedRow() {
    const int mark = static_cast<int>(SendMessageW(list_, LVM_GETSELECTIONMARK, 0, 0));
    for (const int row : {focus_, mark}) {
      if (row >= 0 && SendMessageW(list_, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) & LVIS_SELECTED) {
        return row;
      }
    }
    return -1;
  }

  // A state change the view did not make (a click, a key) leaves the focus
  // unknown until it is looked for again.
  void StateChanged() { focus_ = kFocusUnknown; }

  int ScanRowInState(int after, unsigned state) {
    const UINT flags = (state & kRowSelected ? LVNI_SELECTED : 0) | (state & kRowFocused ? LVNI_FOCUSED : 0);
    return static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(after), MAKELPARAM(flags, 0)));
  }

  // Clearing a state on every row costs the control a look at each row;
  // only the rows that hold it are cleared.
  void SetRowState(int index, unsigned state, unsigned mask) override {
    ShowRowCount(0);
    if (index == -1 && state == 0) {
      if (mask & kRowFocused) {
        const int focused = NextRowInState(-1, kRowFocused);
        if (focused >= 0) SetState(focused, 0, kRowFocused);
        mask &= ~kRowFocused;
      }
      const auto selected = SendMessageW(list_, LVM_GETSELECTEDCOUNT, 0, 0);
      if ((mask & kRowSelected) && selected <= kFewRows) {
        for (int row : RowsInState(-1, kRowSelected)) SetState(row, 0, kRowSelected);
        mask &= ~kRowSelected;
      }
      if (mask == 0) return;
    }
    SetState(index, state, mask);
  }

 private:
  void SetState(int index, unsigned state, unsigned mask) {
    LVITEMW item{};
    item.state = ListStates(state);
    item.stateMask = ListStates(mask);
    const int focus = focus_;
    SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    focus_ = focus;  // the change notified is this one
    if (!(mask & kRowFocused)) return;
    if (state & kRowFocused) {
      focus_ = index >= 0 ? index : kFocusUnknown;
    } else if (index < 0 || index == focus_) {
      focus_ = -1;
    }
  }

  // The control's row count made the table's (plus `extra`), when it differs.
  void ShowRowCount(DWORD flags, int extra = 0) {
    const int rows = RowCount(table_) + extra;
    if (rows == shownRows_) return;
    if (rows < shownRows_) focus_ = kFocusUnknown;  // a shorter list may have lost its focused row
    shownRows_ = rows;
    SendMessageW(list_, LVM_SETITEMCOUNT, static_cast<WPARAM>(rows), flags);
  }

  // The control looks at every row from the start for each question, so the
  // rows are gathered only when some are selected, and no further than the
  // last of them (over all rows: none is left to find once all are found).
  std::vector<int> RowsInState(int after, unsigned state) {
    std::vector<int> rows;
    const auto selected = static_cast<size_t>(SendMessageW(list_, LVM_GETSELECTEDCOUNT, 0, 0));
    if (state == kRowSelected && selected == 0) return rows;
    for (int row = NextRowInState(after, state); row >= 0; row = NextRowInState(row, state)) {
      rows.push_back(row);
      if (after == -1 && state == kRowSelected && rows.size() == selected) break;
    }
    return rows;
  }

  // The states of the rows from `first` on move by `delta` rows: selection,
  // focus and the anchor of Shift+click.
  void MoveStates(int first, int delta) {
    const int focused = NextRowInState(first - 1, kRowFocused);
    const int mark = static_cast<int>(SendMessageW(list_, LVM_GETSELECTIONMARK, 0, 0));
    const std::vector<int> selected = RowsInState(first - 1, kRowSelected);
    for (int row : selected) SetState(row, 0, kRowSelected);
    for (int row : selected) SetState(row + delta, kRowSelected, kRowSelected);
    if (focused >= first) SetState(focused + delta, kRowFocused, kRowFocused);
    if (mark >= first) SendMessageW(list_, LVM_SETSELECTIONMARK, 0, mark + delta);
  }

  HWND list_;
  WordList table_;
  EditHistory history_;
  AttentionIndex attention_;
  HFONT font_ = nullptr;
  int shownRows_ = 0;
  int suspended_ = 0;
  static constexpr int kFocusUnknown = -2;
  // Up to this many selected rows are cleared one by one rather than all
  // rows at once.
  static constexpr LRESULT kFewRows = 1000;
  int focus_ = kFocusUnknown;  // the focused row, -1 for none
};

// The table goes with the control.
LRESULT CALLBACK WordListProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
  if (message == WM_NCDESTROY) {
    auto* view = reinterpret_cast<ListView*>(data);
    RemoveWindowSubclass(list, WordListProc, kSubclassId);
    RemovePropA(list, kViewProperty);
    const WordList table = view->table();
    AttachWordListView(table, nullptr);
    DestroyWordTable(table);
    delete view;
  }
  return DefSubclassProc(list, message, wParam, lParam);
}

ListView* ViewOf(HWND list) { return list ? static_cast<ListView*>(GetPropA(list, kViewProperty)) : nullptr; }

void AnswerTextRequest(WordList table, LVITEMA& item) {
  if (item.mask & LVIF_TEXT) CopyForDisplay(item.pszText, item.cchTextMax, WordRowText(table, item.iItem, item.iSubItem));
  if (item.mask & LVIF_IMAGE) item.iImage = 0;  // every row names image 0, which the lists lack
}

void AnswerTextRequest(WordList table, LVITEMW& item) {
  if (item.mask & LVIF_IMAGE) item.iImage = 0;
  if (!(item.mask & LVIF_TEXT) || !item.pszText || item.cchTextMax <= 0) return;
  const std::wstring text = DisplayWideFromSjis(WordRowText(table, item.iItem, item.iSubItem));
  item.pszText[text.copy(item.pszText, static_cast<size_t>(item.cchTextMax - 1))] = L'\0';
}

// The row whose word begins with `start`, from `first` on, then (with wrap)
// from the top, as the control itself searches when the user types.
int FindRowByWordStart(WordList table, int first, std::string_view start, bool wrap) {
  const int rows = RowCount(table);
  if (first < 0 || first >= rows) first = 0;
  for (int pass = 0; pass < (wrap ? 2 : 1); ++pass) {
    const int from = pass == 0 ? first : 0;
    const int to = pass == 0 ? rows : first;
    for (int row = from; row < to; ++row) {
      if (StartsWithIgnoringCase(WordRowText(table, row, 0), start)) return row;
    }
  }
  return -1;
}

int AnswerFindRequest(WordList table, int first, UINT flags, std::string_view text) {
  if (!(flags & (LVFI_STRING | LVFI_PARTIAL))) return -1;
  const int row = FindRowByWordStart(table, first, text, flags & LVFI_WRAP);
  if (row < 0 || (flags & LVFI_PARTIAL)) return row;
  return WordRowText(table, row, 0).size() == text.size() ? row : -1;
}

}  // namespace

HWND CreateWordList(HWND parent) {
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE));
  HWND list = CreateWindowExW(0, WC_LISTVIEWW, L"", kListStyle, 0, 0, 0, 0, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(IDC_WORD_LIST)), instance, nullptr);
  if (!list) return nullptr;
  const WordList table = CreateWordTable();
  auto* view = table ? new (std::nothrow) ListView(list, table) : nullptr;
  if (!view || !SetPropA(list, kViewProperty, view) ||
      !SetWindowSubclass(list, WordListProc, kSubclassId, reinterpret_cast<DWORD_PTR>(view))) {
    RemovePropA(list, kViewProperty);
    delete view;
    DestroyWordTable(table);
    DestroyWindow(list);
    return nullptr;
  }
  AttachWordListView(table, view);
  return list;
}

// The list's font: "ＭＳ ゴシック" at 10 points, which every Japanese system
// has (or substitutes). Fixed pitch, so that each phoneme symbol and each
// space of a baseform takes a whole cell and two spaces never pass for one;
// big enough that its underscore and descenders are drawn inside the row.
// The font a list gets without one of its own can cut them off, which makes
// "_n" look like " n".
HFONT CreateListFont(HWND window) {
  HDC screen = GetDC(window);
  const int height = -MulDiv(kListFontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(window, screen);
  return CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS,
                     CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, L"ＭＳ ゴシック");
}

void SetUpWordList(HWND list) {
  HIMAGELIST large = ImageList_Create(32, 32, ILC_COLOR4, 4, 0);
  HIMAGELIST small = ImageList_Create(16, 16, ILC_COLOR4, 4, 0);
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_NORMAL, reinterpret_cast<LPARAM>(large));
  SendMessageW(list, LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(small));
  // The rows name image 0, but the program's icons are numbered 106 and 107
  // and nothing carries these names: the image lists stay empty and the rows
  // show no icon, as they always have.
  const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(list, GWLP_HINSTANCE));
  if (HICON icon = LoadIconW(instance, L"MYICON1")) ImageList_ReplaceIcon(large, -1, icon);
  if (HICON icon = LoadIconW(instance, L"S1")) ImageList_ReplaceIcon(small, -1, icon);

  if (ListView* view = ViewOf(list)) {
    if (HFONT font = CreateListFont(list)) view->UseFont(font);
  }

  const auto style = static_cast<DWORD>(SendMessageW(list, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
  SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style | kListExtendedStyle);

  for (int c = 0; c < kWordColumns; ++c) {
    std::wstring title = ScreenText(ProgramText(IDS_WORD_COLUMN + c));
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = kColumnWidth;
    column.pszText = title.data();
    column.iSubItem = c;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&column));
  }
}

WordList WordTableOf(HWND list) {
  ListView* view = ViewOf(list);
  return view ? view->table() : nullptr;
}

EditHistory* HistoryOf(HWND list) {
  ListView* view = ViewOf(list);
  return view ? &view->history() : nullptr;
}

AttentionIndex* AttentionOf(HWND list) {
  ListView* view = ViewOf(list);
  return view ? &view->attention() : nullptr;
}

void ShowSortMark(HWND list, int column, int32_t direction) {
  HWND header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
  if (!header) return;
  for (int c = 0; c < kWordColumns; ++c) {
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&item))) continue;
    const int shown = item.fmt;
    item.fmt &= ~(HDF_SORTUP | HDF_SORTDOWN);
    if (c == column && direction == kSortedAscending) item.fmt |= HDF_SORTUP;
    if (c == column && direction == kSortedDescending) item.fmt |= HDF_SORTDOWN;
    // A header item set anew has the whole list repainted, mark or no mark.
    if (item.fmt == shown) continue;
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&item));
  }
}

void FocusAndShowRow(HWND list, int row) {
  const WordList table = WordTableOf(list);
  if (!table || row < 0 || row >= RowCount(table)) return;
  FocusWordRow(table, row);
  SendMessageW(list, LVM_SETSELECTIONMARK, 0, row);
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

void ShowOnlyRow(HWND list, int row) {
  const WordList table = WordTableOf(list);
  if (!table || row < 0 || row >= RowCount(table)) return;
  DeselectAllWordRows(table);
  SelectWordRow(table, row, true);
  FocusWordRow(table, row);
  SendMessageW(list, LVM_SETSELECTIONMARK, 0, row);
  SendMessageW(list, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

bool AnswerWordListQuestion(const NMHDR& header, LRESULT& result) {
  const WordList table = WordTableOf(header.hwndFrom);
  if (!table) return false;
  switch (header.code) {
    case LVN_ITEMCHANGED:
      if (ListView* view = ViewOf(header.hwndFrom)) view->StateChanged();
      return false;  // the parent may want it too
    case LVN_GETDISPINFOA:
      AnswerTextRequest(table, reinterpret_cast<NMLVDISPINFOA&>(const_cast<NMHDR&>(header)).item);
      result = 0;
      return true;
    case LVN_GETDISPINFOW:
      AnswerTextRequest(table, reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item);
      result = 0;
      return true;
    case LVN_ODFINDITEMA: {
      const auto& find = reinterpret_cast<const NMLVFINDITEMA&>(header);
      const std::string_view text = find.lvfi.psz ? find.lvfi.psz : "";
      result = AnswerFindRequest(table, find.iStart, find.lvfi.flags, text);
      return true;
    }
    case LVN_ODFINDITEMW: {
      const auto& find = reinterpret_cast<const NMLVFINDITEMW&>(header);
      const std::string typed = find.lvfi.psz ? TypedSjisFromWide(find.lvfi.psz) : std::string();
      const std::string_view text = std::string_view(typed).substr(0, SjisPrefixLength(typed, kWordFieldSize - 1));
      result = AnswerFindRequest(table, find.iStart, find.lvfi.flags, text);
      return true;
    }
    default: return false;
  }
}

void SuspendWordListRedraw(HWND list) {
  if (ListView* view = ViewOf(list)) view->Suspend();
}

void ResumeWordListRedraw(HWND list) {
  if (ListView* view = ViewOf(list)) view->Resume();
}
