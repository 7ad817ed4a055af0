#include "wordlist/memory_word_list.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "convert/sjis_text.h"
#include "wordlist/sort_order.h"

namespace {

// What GetWordRow hands out of each text: the entry dialog reads rows
// through 128-byte buffers.
constexpr size_t kRowReadLimit = 127;

constexpr uint8_t kSelected = 1;
constexpr uint8_t kFocused = 2;

// A row costs twelve bytes besides its text. Its three texts lie one after
// the other, without NULs, at `text` in the list's text store; each is at
// most 255 bytes, so a byte holds its length.
struct Row {
  uint32_t key;
  uint32_t text;
  uint8_t length[kWordColumns];
  uint8_t state;
};
static_assert(sizeof(Row) == 12);

// Row texts packed into large blocks that never move, so growing the store
// copies nothing. A text position is block number * kBlockSize + offset and
// fits 32 bits. Replaced and deleted texts stay as dead bytes until there are
// more of them than live ones; then the list repacks its texts.
class TextStore {
 public:
  static constexpr size_t kBlockSize = 64 * 1024;  // far above one row's 765 bytes
  static constexpr size_t kMaxBlocks = (uint64_t{1} << 32) / kBlockSize;

  // Copies the three texts in; false (storing nothing) when memory or the
  // 32-bit positions run out. Throws nothing.
  bool Add(const std::string_view (&texts)[kWordColumns], uint32_t& position) {
    const size_t size = texts[0].size() + texts[1].size() + texts[2].size();
    // A block is never filled to its last byte, so even an empty row's
    // position names a block that exists.
    if (blocks_.empty() || used_ + size >= kBlockSize) {
      if (blocks_.size() == kMaxBlocks) return false;
      std::unique_ptr<char[]> block(new (std::nothrow) char[kBlockSize]);
      if (!block) return false;
      try {
        blocks_.push_back(std::move(block));
      } catch (const std::bad_alloc&) {
        return false;
      }
      used_ = 0;
    }
    position = static_cast<uint32_t>((blocks_.size() - 1) * kBlockSize + used_);
    char* out = blocks_.back().get() + used_;
    for (const std::string_view text : texts) {
      std::memcpy(out, text.data(), text.size());
      out += text.size();
    }
    used_ += size;
    live_ += size;
    return true;
  }

  const char* At(uint32_t position) const {
    return blocks_[position / kBlockSize].get() + position % kBlockSize;
  }

  void Release(size_t size) {
    live_ -= size;
    dead_ += size;
  }

  bool WorthRepacking() const { return dead_ > live_ && dead_ > 4 * kBlockSize; }

 private:
  std::vector<std::unique_ptr<char[]>> blocks_;
  size_t used_ = 0;  // bytes used in the last block
  size_t live_ = 0;
  size_t dead_ = 0;
};

size_t TextSize(const Row& row) { return size_t{row.length[0]} + row.length[1] + row.length[2]; }

// An entry's fields as the row keeps them: at most 255 bytes each, never
// ending in half a character, even when a field lacks its NUL.
void EntryTexts(const WordEntry& entry, std::string_view (&texts)[kWordColumns]) {
  const char* fields[kWordColumns] = {entry.word, entry.reading, entry.baseform};
  for (int c = 0; c < kWordColumns; ++c) {
    const void* nul = std::memchr(fields[c], '\0', kWordFieldSize);
    const size_t length = nul ? static_cast<size_t>(static_cast<const char*>(nul) - fields[c]) : kWordFieldSize;
    const std::string_view field(fields[c], length);
    texts[c] = field.substr(0, SjisPrefixLength(field, kWordFieldSize - 1));
  }
}

}  // namespace

struct WordListControl {
  std::vector<Row> rows;
  TextStore texts;

  bool Holds(int index) const { return index >= 0 && static_cast<size_t>(index) < rows.size(); }

  std::string_view Text(const Row& row, int column) const {
    const char* start = texts.At(row.text);
    for (int c = 0; c < column; ++c) start += row.length[c];
    return {start, row.length[column]};
  }

  // Stores the entry's texts for `row`; false, with `row` unchanged, when
  // there is no room for them.
  bool StoreTexts(Row& row, const WordEntry& entry) {
    std::string_view fields[kWordColumns];
    EntryTexts(entry, fields);
    uint32_t position;
    if (!texts.Add(fields, position)) return false;
    row.text = position;
    for (int c = 0; c < kWordColumns; ++c) row.length[c] = static_cast<uint8_t>(fields[c].size());
    return true;
  }

  // Copies every live text into a fresh store, dropping the dead ones. Left
  // as it is when the copy cannot be made.
  void RepackTexts() {
    TextStore fresh;
    std::vector<uint32_t> positions;
    try {
      positions.reserve(rows.size());
    } catch (const std::bad_alloc&) {
      return;
    }
    for (const Row& row : rows) {
      const std::string_view fields[kWordColumns] = {Text(row, 0), Text(row, 1), Text(row, 2)};
      uint32_t position;
      if (!fresh.Add(fields, position)) return;
      positions.push_back(position);
    }
    for (size_t i = 0; i < rows.size(); ++i) rows[i].text = positions[i];
    texts = std::move(fresh);
  }

  void ReleaseTexts(const Row& row) {
    texts.Release(TextSize(row));
    if (texts.WorthRepacking()) RepackTexts();
  }
};

namespace {

// Every list alive, so that CompareWordRows can find a row by its key alone.
std::vector<WordListControl*>& LiveLists() {
  static std::vector<WordListControl*> lists;
  return lists;
}

const Row* FindRowByKey(intptr_t key, const WordListControl** owner) {
  if (key < 0 || key > intptr_t{UINT32_MAX}) return nullptr;
  for (const WordListControl* list : LiveLists()) {
    for (const Row& row : list->rows) {
      if (row.key == static_cast<uint32_t>(key)) {
        *owner = list;
        return &row;
      }
    }
  }
  return nullptr;
}

// Keys are drawn from one counter for the whole process. Only once it has
// gone round all 2^32 values can a key still be in use; from then on each
// candidate is checked against every live row.
uint32_t NewRowKey() {
  static uint32_t next = 0;
  static bool wrapped = false;
  for (;;) {
    const uint32_t key = next++;
    if (next == 0) wrapped = true;
    const WordListControl* owner;
    if (!wrapped || !FindRowByKey(key, &owner)) return key;
  }
}

}  // namespace

WordList CreateMemoryWordList() {
  auto* list = new (std::nothrow) WordListControl;
  if (!list) return nullptr;
  try {
    LiveLists().push_back(list);
  } catch (const std::bad_alloc&) {
    delete list;
    return nullptr;
  }
  return list;
}

void DestroyMemoryWordList(WordList list) {
  if (!list) return;
  auto& lists = LiveLists();
  lists.erase(std::remove(lists.begin(), lists.end(), list), lists.end());
  delete list;
}

// Like the list control, an index past the end appends and a negative one
// inserts nothing. A row that finds no memory is not inserted, nor one that
// would take the row count past what an int index can name.
void InsertWordRow(WordList list, int index, const WordEntry& entry) {
  if (!list || index < 0 || list->rows.size() >= static_cast<size_t>(INT_MAX)) return;
  Row row{};
  if (!list->StoreTexts(row, entry)) return;
  row.key = NewRowKey();
  const size_t at = std::min(static_cast<size_t>(index), list->rows.size());
  try {
    list->rows.insert(list->rows.begin() + static_cast<std::ptrdiff_t>(at), row);
  } catch (const std::bad_alloc&) {
    list->ReleaseTexts(row);
  }
}

void SetWordRow(WordList list, int index, const WordEntry& entry) {
  if (!list || !list->Holds(index)) return;
  Row& row = list->rows[static_cast<size_t>(index)];
  const Row old = row;
  if (list->StoreTexts(row, entry)) list->ReleaseTexts(old);
}

namespace {

void CopyRow(WordList list, int index, WordEntry& entry, size_t limit) {
  entry = WordEntry{};
  if (!list || !list->Holds(index)) return;
  const Row& row = list->rows[static_cast<size_t>(index)];
  CopySjisText(entry.word, list->Text(row, 0), limit);
  CopySjisText(entry.reading, list->Text(row, 1), limit);
  CopySjisText(entry.baseform, list->Text(row, 2), limit);
}

}  // namespace

void GetWordRow(WordList list, int index, WordEntry& entry) { CopyRow(list, index, entry, kRowReadLimit); }

void GetWholeWordRow(WordList list, int index, WordEntry& entry) { CopyRow(list, index, entry, kWordFieldSize - 1); }

int RowCount(WordList list) { return list ? static_cast<int>(list->rows.size()) : 0; }

namespace {

int FirstRowInState(WordList list, uint8_t state) {
  if (!list) return -1;
  const auto& rows = list->rows;
  const auto found = std::find_if(rows.begin(), rows.end(), [state](const Row& row) { return row.state & state; });
  return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
}

}  // namespace

int FirstSelectedRow(WordList list) { return FirstRowInState(list, kSelected); }

int FocusedRow(WordList list) { return FirstRowInState(list, kFocused); }

void DeleteSelectedWordRow(WordList list) {
  const int index = FirstSelectedRow(list);
  if (index < 0) return;
  auto& rows = list->rows;
  const Row gone = rows[static_cast<size_t>(index)];
  rows.erase(rows.begin() + index);
  if ((gone.state & kFocused) && !rows.empty()) {
    rows[std::min(static_cast<size_t>(index), rows.size() - 1)].state |= kFocused;
  }
  list->ReleaseTexts(gone);
}

void ClearWordList(WordList list) {
  if (!list) return;
  list->rows = {};
  list->texts = {};
}

// With no focused row the request goes to every row: all become selected,
// and none takes the focus, as only one row can hold it.
void ReselectFocusedRow(WordList list) {
  const int focused = FocusedRow(list);
  if (focused >= 0) {
    list->rows[static_cast<size_t>(focused)].state |= kSelected;
    return;
  }
  if (!list) return;
  for (Row& row : list->rows) row.state |= kSelected;
}

void SortWordList(WordList list, int column) {
  if (!list || !FlipColumnSortDirection(column)) return;
  auto& rows = list->rows;
  try {
    std::vector<SortItem> items;
    items.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      items.push_back({SortPrefix(list->Text(rows[i], column)), static_cast<uint32_t>(i)});
    }
    SortItemsStably(items, column);
    std::vector<Row> sorted;
    sorted.reserve(rows.size());
    for (const SortItem& item : items) sorted.push_back(rows[item.row]);
    rows = std::move(sorted);
  } catch (const std::bad_alloc&) {
    // Without the memory to sort, the rows keep their order.
  }
}

int CompareWordRows(intptr_t key1, intptr_t key2, intptr_t column) {
  if (column < 0 || column >= kWordColumns) return 0;
  const int c = static_cast<int>(column);
  // A key no row carries compares as an empty text, as the list control's
  // failed look-up yields one.
  std::string_view prefixes[2];
  const intptr_t keys[2] = {key1, key2};
  for (int i = 0; i < 2; ++i) {
    const WordListControl* owner = nullptr;
    if (const Row* row = FindRowByKey(keys[i], &owner)) prefixes[i] = SortPrefix(owner->Text(*row, c));
  }
  return CompareInColumnDirection(prefixes[0], prefixes[1], c);
}

void SelectWordRow(WordList list, int index, bool selected) {
  if (!list || !list->Holds(index)) return;
  uint8_t& state = list->rows[static_cast<size_t>(index)].state;
  state = selected ? state | kSelected : state & ~kSelected;
}

bool IsWordRowSelected(WordList list, int index) {
  return list && list->Holds(index) && (list->rows[static_cast<size_t>(index)].state & kSelected);
}

void FocusWordRow(WordList list, int index) {
  if (!list || (index != -1 && !list->Holds(index))) return;
  for (Row& row : list->rows) row.state &= ~kFocused;
  if (index >= 0) list->rows[static_cast<size_t>(index)].state |= kFocused;
}

intptr_t WordRowKey(WordList list, int index) {
  if (!list || !list->Holds(index)) return -1;
  return list->rows[static_cast<size_t>(index)].key;
}
