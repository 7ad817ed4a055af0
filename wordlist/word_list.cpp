#include "wordlist/word_list.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#ifdef __linux__
#include <sys/mman.h>
#endif

#include "convert/sjis_text.h"
#include "wordlist/sort_order.h"

namespace {

// What GetWordRow hands out of each text: the entry dialog reads rows
// through 128-byte buffers.
constexpr size_t kRowReadLimit = 127;

// A row costs eight bytes besides its text. Its three texts lie one after
// the other, without NULs, at `text` in the table's text store; each is at
// most 255 bytes, so a byte holds its length. `state` is used only while no
// view keeps the states.
struct Row {
  uint32_t text;
  uint8_t length[kWordColumns];
  uint8_t state;
};
static_assert(sizeof(Row) == 8);

// Memory of `size` bytes, or nullptr; std::free frees it. A block of a huge
// page or more is asked for in huge pages where the system gives them on
// request (Linux): a table of a million rows then takes a few dozen page
// faults instead of fifteen thousand, which is much of what reading it costs.
void* AllocateBlock(size_t size) {
#ifdef __linux__
  constexpr size_t kHugePage = 2 * 1024 * 1024;
  if (size >= kHugePage) {
    void* block = nullptr;
    if (posix_memalign(&block, kHugePage, size) != 0) return nullptr;
    madvise(block, size, MADV_HUGEPAGE);  // advice only: without it the block is just slower to fill
    return block;
  }
#endif
  return std::malloc(size);
}

// The row array's memory, through AllocateBlock.
template <typename T>
struct BlockAllocator {
  using value_type = T;
  BlockAllocator() = default;
  template <typename U>
  BlockAllocator(const BlockAllocator<U>&) {}  // NOLINT(google-explicit-constructor): as allocators convert
  T* allocate(size_t n) {
    if (n > SIZE_MAX / sizeof(T)) throw std::bad_alloc();
    if (void* block = AllocateBlock(n * sizeof(T))) return static_cast<T*>(block);
    throw std::bad_alloc();
  }
  void deallocate(T* block, size_t) { std::free(block); }
  friend bool operator==(const BlockAllocator&, const BlockAllocator&) { return true; }
};

using RowArray = std::vector<Row, BlockAllocator<Row>>;

// Frees a block of texts.
struct FreeTextBlock {
  void operator()(char* block) const { std::free(block); }
};
using TextBlock = std::unique_ptr<char, FreeTextBlock>;

// Row texts packed into blocks that never move, so growing the store copies
// nothing. A text position is slot number * kSlotSize + offset and fits 32
// bits: a block takes one slot, or, once the store is large, kLargeSlots
// slots in a row, each slot naming its part of the block. A row's texts lie
// whole in one block, so they run on from one slot into the next. Replaced
// and deleted texts stay as dead bytes until there are more of them than
// live ones; then the table repacks its texts.
class TextStore {
 public:
  static constexpr size_t kSlotSize = 64 * 1024;  // far above one row's 765 bytes
  static constexpr size_t kMaxSlots = (uint64_t{1} << 32) / kSlotSize;
  // A small table takes blocks of one slot; a store that already holds a
  // large block's worth takes large blocks.
  static constexpr size_t kLargeSlots = 32;  // 2 MiB: a huge page

  // Copies the three texts in; false (storing nothing) when memory or the
  // 32-bit positions run out. Throws nothing.
  bool Add(const std::string_view (&texts)[kWordColumns], uint32_t& position) {
    const size_t size = texts[0].size() + texts[1].size() + texts[2].size();
    // A block is never filled to its last byte, so even an empty row's
    // position names a slot that exists.
    if (slots_.empty() || used_ + size >= blockSlots_ * kSlotSize) {
      if (!NewBlock()) return false;
    }
    position = static_cast<uint32_t>((slots_.size() - blockSlots_) * kSlotSize + used_);
    char* out = slots_[slots_.size() - blockSlots_] + used_;
    for (const std::string_view text : texts) {
      if (text.empty()) continue;  // an empty view may have no data at all
      std::memcpy(out, text.data(), text.size());
      out += text.size();
    }
    used_ += size;
    live_ += size;
    return true;
  }

  const char* At(uint32_t position) const { return slots_[position / kSlotSize] + position % kSlotSize; }

  // Takes over the blocks of `other` behind its own, so that a position in
  // `other` becomes that position plus `shift`. False, changing nothing,
  // when there is no memory or the positions would run out of 32 bits.
  bool Adopt(TextStore& other, uint32_t& shift) {
    if (slots_.size() + other.slots_.size() > kMaxSlots) return false;
    try {
      slots_.reserve(slots_.size() + other.slots_.size());
      blocks_.reserve(blocks_.size() + other.blocks_.size());
    } catch (const std::bad_alloc&) {
      return false;
    }
    shift = static_cast<uint32_t>(slots_.size() * kSlotSize);
    if (other.blocks_.empty()) return true;
    slots_.insert(slots_.end(), other.slots_.begin(), other.slots_.end());
    for (auto& block : other.blocks_) blocks_.push_back(std::move(block));
    // The last block is now other's, filled as far as other filled it; the
    // rest of this store's former last block stays unused.
    used_ = other.used_;
    blockSlots_ = other.blockSlots_;
    live_ += other.live_;
    dead_ += other.dead_;
    other = TextStore{};
    return true;
  }

  void Release(size_t size) {
    live_ -= size;
    dead_ += size;
  }

  bool WorthRepacking() const { return dead_ > live_ && dead_ > 4 * kSlotSize; }

  size_t Memory() const {
    return slots_.size() * kSlotSize + slots_.capacity() * sizeof(slots_[0]) +
           blocks_.capacity() * sizeof(blocks_[0]);
  }

 private:
  bool NewBlock() {
    const size_t slots = slots_.size() >= kLargeSlots ? kLargeSlots : 1;
    if (slots_.size() + slots > kMaxSlots) return false;
    TextBlock block(static_cast<char*>(AllocateBlock(slots * kSlotSize)));
    if (!block) return false;
    try {
      // Grown by doubling, as push_back would, but before anything changes.
      if (slots_.capacity() < slots_.size() + slots) slots_.reserve(std::max(slots_.size() + slots, 2 * slots_.capacity()));
      if (blocks_.capacity() == blocks_.size()) blocks_.reserve(2 * blocks_.size() + 1);
    } catch (const std::bad_alloc&) {
      return false;
    }
    for (size_t k = 0; k < slots; ++k) slots_.push_back(block.get() + k * kSlotSize);
    blocks_.push_back(std::move(block));
    used_ = 0;
    blockSlots_ = slots;
    return true;
  }

  std::vector<char*> slots_;
  std::vector<TextBlock> blocks_;
  size_t used_ = 0;        // bytes used in the last block
  size_t blockSlots_ = 0;  // the slots of the last block
  size_t live_ = 0;
  size_t dead_ = 0;
};

// Revisions are drawn from one counter for every table, so that a revision
// names the rows of one table at one moment, wherever they go.
uint64_t NextRevision() {
  static std::atomic<uint64_t> last{0};
  return last.fetch_add(1, std::memory_order_relaxed) + 1;
}

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

struct WordTable {
  RowArray rows;
  TextStore texts;
  WordListView* view = nullptr;
  int32_t sortDirections[kWordColumns] = {kNeverSorted, kNeverSorted, kNeverSorted};
  // The revision is drawn when asked for after a change, not at every row
  // a change stores.
  uint64_t revision = 0;
  bool changed = true;

  void Touch() { changed = true; }

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
    return StoreTexts(row, fields);
  }

  bool StoreTexts(Row& row, const std::string_view (&fields)[kWordColumns]) {
    Touch();
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

  // Row states, wherever they are kept.
  int NextRowInState(int after, unsigned state) const {
    if (view) return view->NextRowInState(after, state);
    for (size_t i = static_cast<size_t>(after + 1); i < rows.size(); ++i) {
      if ((rows[i].state & state) == state) return static_cast<int>(i);
    }
    return -1;
  }

  void SetRowState(int index, unsigned state, unsigned mask) {
    if (view) {
      view->SetRowState(index, state, mask);
      return;
    }
    const auto set = [state, mask](Row& row) { row.state = static_cast<uint8_t>((row.state & ~mask) | (state & mask)); };
    if (index < 0) {
      for (Row& row : rows) set(row);
    } else {
      set(rows[static_cast<size_t>(index)]);
    }
  }
};

WordList CreateWordTable() { return new (std::nothrow) WordTable; }

void DestroyWordTable(WordList list) { delete list; }

void AttachWordListView(WordList list, WordListView* view) {
  if (list) list->view = view;
}

// A row that would take the row count past what an int index can name is
// refused like one that finds no memory.
bool InsertWordRow(WordList list, int index, const WordEntry& entry) {
  if (!list || index < 0 || list->rows.size() >= static_cast<size_t>(INT_MAX)) return false;
  Row row{};
  if (!list->StoreTexts(row, entry)) return false;
  const size_t at = std::min(static_cast<size_t>(index), list->rows.size());
  try {
    list->rows.insert(list->rows.begin() + static_cast<std::ptrdiff_t>(at), row);
  } catch (const std::bad_alloc&) {
    list->ReleaseTexts(row);
    return false;
  }
  if (list->view) list->view->RowInserted(static_cast<int>(at));
  return true;
}

void SetWordRow(WordList list, int index, const WordEntry& entry) {
  if (!list || !list->Holds(index)) return;
  Row& row = list->rows[static_cast<size_t>(index)];
  const Row old = row;
  if (!list->StoreTexts(row, entry)) return;
  list->ReleaseTexts(old);
  if (list->view) list->view->RowChanged(index);
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

std::string_view WordRowText(WordList list, int index, int column) {
  if (!list || !list->Holds(index) || column < 0 || column >= kWordColumns) return {};
  return list->Text(list->rows[static_cast<size_t>(index)], column);
}

void WordRowTexts(WordList list, int index, std::string_view (&texts)[kWordColumns]) {
  if (!list || !list->Holds(index)) {
    for (std::string_view& text : texts) text = {};
    return;
  }
  const Row& row = list->rows[static_cast<size_t>(index)];
  const char* start = list->texts.At(row.text);
  for (int c = 0; c < kWordColumns; ++c) {
    texts[c] = {start, row.length[c]};
    start += row.length[c];
  }
}

int RowCount(WordList list) { return list ? static_cast<int>(list->rows.size()) : 0; }

uint64_t WordTableRevision(WordList list) {
  if (!list) return 0;
  if (list->changed) {
    list->revision = NextRevision();
    list->changed = false;
  }
  return list->revision;
}

void RestoreWordTableRevision(WordList list, uint64_t revision) {
  if (!list) return;
  list->revision = revision;
  list->changed = false;
}

size_t WordTableMemory(WordList list) {
  return list ? sizeof(WordTable) + list->rows.capacity() * sizeof(Row) + list->texts.Memory() : 0;
}

bool AppendWordRowTexts(WordList list, const std::string_view (&texts)[kWordColumns]) {
  if (!list || list->rows.size() >= static_cast<size_t>(INT_MAX)) return false;
  std::string_view fields[kWordColumns];
  for (int c = 0; c < kWordColumns; ++c) {
    const std::string_view text = texts[c].substr(0, texts[c].find('\0'));
    fields[c] = text.substr(0, SjisPrefixLength(text, kWordFieldSize - 1));
  }
  Row row{};
  if (!list->StoreTexts(row, fields)) return false;
  try {
    list->rows.push_back(row);
  } catch (const std::bad_alloc&) {
    list->ReleaseTexts(row);
    return false;
  }
  if (list->view) list->view->RowsAppended(static_cast<int>(list->rows.size()) - 1);
  return true;
}

int FirstSelectedRow(WordList list) { return list ? list->NextRowInState(-1, kRowSelected) : -1; }

int FocusedRow(WordList list) { return list ? list->NextRowInState(-1, kRowFocused) : -1; }

void DeleteSelectedWordRow(WordList list) {
  const int index = FirstSelectedRow(list);
  if (index < 0) return;
  auto& rows = list->rows;
  const Row gone = rows[static_cast<size_t>(index)];
  rows.erase(rows.begin() + index);
  list->Touch();
  if (list->view) {
    list->view->RowDeleted(index);
  } else if ((gone.state & kRowFocused) && !rows.empty()) {
    rows[std::min(static_cast<size_t>(index), rows.size() - 1)].state |= kRowFocused;
  }
  list->ReleaseTexts(gone);
}

void ClearWordList(WordList list) {
  if (!list) return;
  list->rows = {};
  list->texts = {};
  list->Touch();
  if (list->view) list->view->RowsReplaced();
}

void SwapWordRows(WordList list, WordList other) {
  if (!list || !other || list == other) return;
  std::swap(list->rows, other->rows);
  std::swap(list->texts, other->texts);
  std::swap(list->revision, other->revision);  // the rows keep theirs
  std::swap(list->changed, other->changed);
  for (WordList table : {list, other}) {
    for (Row& row : table->rows) row.state = 0;
    if (table->view) table->view->RowsReplaced();
  }
}

bool AppendWordRows(WordList list, WordList other) {
  if (!list || !other || list == other) return false;
  if (other->rows.empty()) return true;
  if (list->rows.empty()) {
    // Nothing to keep: the tables change places, which costs nothing.
    SwapWordRows(list, other);
    return true;
  }
  auto& rows = list->rows;
  const size_t first = rows.size();
  if (first + other->rows.size() > static_cast<size_t>(INT_MAX)) return false;
  try {
    rows.reserve(first + other->rows.size());
  } catch (const std::bad_alloc&) {
    return false;
  }
  uint32_t shift = 0;
  if (!list->texts.Adopt(other->texts, shift)) return false;
  for (Row row : other->rows) {
    row.text += shift;
    row.state = 0;
    rows.push_back(row);
  }
  other->rows = {};
  other->Touch();
  list->Touch();
  if (other->view) other->view->RowsReplaced();
  if (list->view) list->view->RowsAppended(static_cast<int>(first));
  return true;
}

// With no focused row the request goes to every row: all become selected,
// and none takes the focus, as only one row can hold it.
void ReselectFocusedRow(WordList list) {
  if (!list) return;
  const int focused = FocusedRow(list);
  if (focused >= 0) {
    list->SetRowState(focused, kRowSelected | kRowFocused, kRowSelected | kRowFocused);
  } else {
    list->SetRowState(-1, kRowSelected, kRowSelected);
  }
}

int32_t ColumnSortDirection(WordList list, int column) {
  return list && column >= 0 && column < kWordColumns ? list->sortDirections[column] : kNeverSorted;
}

void SetColumnSortDirection(WordList list, int column, int32_t direction) {
  if (list && column >= 0 && column < kWordColumns) list->sortDirections[column] = direction;
}

void SortWordList(WordList list, int column) {
  std::vector<uint32_t> order;
  SortWordList(list, column, order);
}

void SortWordList(WordList list, int column, std::vector<uint32_t>& order) {
  order.clear();
  if (!list || column < 0 || column >= kWordColumns) return;
  int32_t& direction = list->sortDirections[column];
  direction = FlippedSortDirection(direction);
  auto& rows = list->rows;
  try {
    std::vector<SortItem> items;
    items.reserve(rows.size());
    for (size_t i = 0; i < rows.size(); ++i) {
      items.push_back(MakeSortItem(list->Text(rows[i], column), static_cast<uint32_t>(i)));
    }
    SortItemsStably(items, direction);
    order.reserve(rows.size());
    RowArray sorted;
    sorted.reserve(rows.size());
    for (const SortItem& item : items) {
      sorted.push_back(rows[item.row]);
      order.push_back(item.row);
    }
    items = {};
    rows = std::move(sorted);
    list->Touch();
    if (list->view) list->view->RowsReordered(order);
  } catch (const std::bad_alloc&) {
    // Without the memory to sort, the rows keep their order.
    order.clear();
  }
}

void SelectWordRow(WordList list, int index, bool selected) {
  if (!list || !list->Holds(index)) return;
  list->SetRowState(index, selected ? kRowSelected : 0, kRowSelected);
}

bool IsWordRowSelected(WordList list, int index) {
  return list && list->Holds(index) && list->NextRowInState(index - 1, kRowSelected) == index;
}

void FocusWordRow(WordList list, int index) {
  if (!list || (index != -1 && !list->Holds(index))) return;
  const int focused = FocusedRow(list);
  if (focused >= 0) list->SetRowState(focused, 0, kRowFocused);
  if (index >= 0) list->SetRowState(index, kRowFocused, kRowFocused);
}

int NextSelectedRow(WordList list, int after) {
  if (!list || after < -1) return -1;
  return list->NextRowInState(after, kRowSelected);
}

void DeselectAllWordRows(WordList list) {
  if (!list) return;
  FocusWordRow(list, -1);
  list->SetRowState(-1, 0, kRowSelected | kRowFocused);
}

namespace {

void ForgetStates(WordList list) {
  list->Touch();
  for (Row& row : list->rows) row.state = 0;
  if (list->view) list->view->RowsReplaced();
}

}  // namespace

bool MoveWordRows(WordList from, int first, int count, WordList to, int at) {
  if (!from || !to || from == to || first < 0 || count < 0 || !(static_cast<size_t>(first) + count <= from->rows.size()) ||
      to->rows.size() + count > static_cast<size_t>(INT_MAX) || at < 0) {
    return false;
  }
  const auto begin = from->rows.begin() + first;
  const auto end = begin + count;
  RowArray moved;
  try {
    moved.reserve(static_cast<size_t>(count));
  } catch (const std::bad_alloc&) {
    return false;
  }
  for (auto row = begin; row != end; ++row) {
    const std::string_view fields[kWordColumns] = {from->Text(*row, 0), from->Text(*row, 1), from->Text(*row, 2)};
    Row copy = *row;
    copy.state = 0;
    if (!to->texts.Add(fields, copy.text)) {
      for (const Row& added : moved) to->texts.Release(TextSize(added));
      return false;
    }
    moved.push_back(copy);
  }
  const size_t place = std::min(static_cast<size_t>(at), to->rows.size());
  try {
    to->rows.insert(to->rows.begin() + static_cast<std::ptrdiff_t>(place), moved.begin(), moved.end());
  } catch (const std::bad_alloc&) {
    for (const Row& added : moved) to->texts.Release(TextSize(added));
    return false;
  }
  size_t gone = 0;
  for (auto row = begin; row != end; ++row) gone += TextSize(*row);
  from->rows.erase(begin, end);
  from->texts.Release(gone);
  if (from->texts.WorthRepacking()) from->RepackTexts();
  ForgetStates(from);
  ForgetStates(to);
  return true;
}

bool ExchangeWordRowTexts(WordList list, int index, WordList other, int otherIndex) {
  if (!list || !other || !list->Holds(index) || !other->Holds(otherIndex)) return false;
  WordEntry mine, theirs;
  GetWholeWordRow(list, index, mine);
  GetWholeWordRow(other, otherIndex, theirs);
  Row& row = list->rows[static_cast<size_t>(index)];
  const Row oldRow = row;
  if (!list->StoreTexts(row, theirs)) return false;
  Row& otherRow = other->rows[static_cast<size_t>(otherIndex)];
  const Row oldOther = otherRow;
  if (!other->StoreTexts(otherRow, mine)) {
    list->texts.Release(TextSize(row));
    row = oldRow;
    return false;
  }
  list->ReleaseTexts(oldRow);
  other->ReleaseTexts(oldOther);
  if (list->view) list->view->RowChanged(index);
  if (other->view) other->view->RowChanged(otherIndex);
  return true;
}

// The texts `other` gets go into a store of its own, so that a table that
// keeps the texts of a step holds no dead bytes; those `list` gets are added
// to its store, and its old ones released.
bool ExchangeWordRowTexts(WordList list, const std::vector<uint32_t>& rows, WordList other, unsigned columns) {
  if (!list || !other || list == other || other->rows.size() != rows.size()) return false;
  const size_t count = rows.size();
  for (const uint32_t row : rows) {
    if (row >= list->rows.size()) return false;
  }
  TextStore kept;
  RowArray keptRows;
  RowArray newRows;
  try {
    keptRows.reserve(count);
    newRows.reserve(count);
  } catch (const std::bad_alloc&) {
    return false;
  }
  // The texts of row `taken`'s columns, and of row `kept`'s others.
  const auto fields = [columns](WordList taken, const Row& from, WordList stays, const Row& to,
                                std::string_view (&out)[kWordColumns]) {
    for (int c = 0; c < kWordColumns; ++c) out[c] = columns & ColumnBit(c) ? taken->Text(from, c) : stays->Text(to, c);
  };
  std::string_view texts[kWordColumns];
  for (size_t i = 0; i < count; ++i) {
    Row row{};
    fields(list, list->rows[rows[i]], other, other->rows[i], texts);
    if (!kept.Add(texts, row.text)) return false;
    for (int c = 0; c < kWordColumns; ++c) row.length[c] = static_cast<uint8_t>(texts[c].size());
    row.state = other->rows[i].state;
    keptRows.push_back(row);
  }
  size_t added = 0;
  for (size_t i = 0; i < count; ++i) {
    Row row = list->rows[rows[i]];
    fields(other, other->rows[i], list, row, texts);
    if (!list->texts.Add(texts, row.text)) {
      list->texts.Release(added);
      return false;
    }
    for (int c = 0; c < kWordColumns; ++c) row.length[c] = static_cast<uint8_t>(texts[c].size());
    added += TextSize(row);
    newRows.push_back(row);
  }
  size_t gone = 0;
  for (size_t i = 0; i < count; ++i) {
    Row& row = list->rows[rows[i]];
    gone += TextSize(row);
    row = newRows[i];
  }
  other->rows = std::move(keptRows);
  other->texts = std::move(kept);
  list->Touch();
  other->Touch();
  list->texts.Release(gone);
  if (list->texts.WorthRepacking()) list->RepackTexts();
  if (list->view) list->view->RowTextsChanged();
  if (other->view) other->view->RowTextsChanged();
  return true;
}

bool ReorderWordRows(WordList list, const std::vector<uint32_t>& order) {
  if (!list || order.size() != list->rows.size()) return false;
  try {
    std::vector<bool> seen(order.size());
    RowArray reordered;
    reordered.reserve(order.size());
    for (const uint32_t from : order) {
      if (from >= order.size() || seen[from]) return false;
      seen[from] = true;
      reordered.push_back(list->rows[from]);
    }
    list->rows = std::move(reordered);
    list->Touch();
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (list->view) list->view->RowsReordered(order);
  return true;
}
