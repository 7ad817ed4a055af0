#include "wordlist/edit_history.h"

#include <algorithm>
#include <new>
#include <string_view>

RowStates SaveRowStates(WordList list) {
  RowStates states;
  try {
    for (int row = NextSelectedRow(list, -1); row >= 0; row = NextSelectedRow(list, row)) {
      if (!states.selected.empty() && states.selected.back().second == row - 1) {
        states.selected.back().second = row;
      } else {
        states.selected.emplace_back(row, row);
      }
    }
  } catch (const std::bad_alloc&) {
    states.selected.clear();  // the rows come back unselected rather than not at all
  }
  states.focused = FocusedRow(list);
  return states;
}

void RestoreRowStates(WordList list, const RowStates& states) {
  DeselectAllWordRows(list);
  const int rows = RowCount(list);
  if (states.selected.size() == 1 && states.selected[0] == std::pair(0, rows - 1)) {
    ReselectFocusedRow(list);  // no row is focused now: every row becomes selected, in one request
  } else {
    for (const auto& [first, last] : states.selected) {
      for (int row = first; row <= last && row < rows; ++row) SelectWordRow(list, row, true);
    }
  }
  if (states.focused >= 0 && states.focused < rows) FocusWordRow(list, states.focused);
}

namespace {

struct TableDeleter {
  void operator()(WordList table) const { DestroyWordTable(table); }
};
using KeptTable = std::unique_ptr<WordTable, TableDeleter>;

enum class StepKind { kInserted, kDeleted, kChanged, kReplaced, kSorted };

}  // namespace

struct EditHistory::Step {
  StepKind kind;
  int label = 0;
  RowStates before;
  RowStates after;  // taken when the step is undone, for its redo
  bool changesContext = false;
  std::string contextBefore;
  std::string contextAfter;
  // The table's revisions before and after the step (the latter taken when
  // it is undone): undo and redo give them back with the rows.
  uint64_t revisionBefore = 0;
  uint64_t revisionAfter = 0;
  // Inserted: the rows [first, first + count), kept while undone. Deleted:
  // the row at first, kept while done. Changed: the other texts of `rows`
  // (in ascending order), row i of `kept` for rows[i]. Replaced: the rows
  // not in the list.
  int first = 0;
  int count = 0;
  std::vector<uint32_t> rows;
  unsigned columns = kAllColumns;  // Changed: the columns whose texts `kept` holds
  KeptTable kept;
  // Sorted: the row at i came from order[i].
  std::vector<uint32_t> order;
  int column = 0;
  int32_t directionBefore = 0;
  int32_t directionAfter = 0;
};

EditHistory::EditHistory(WordList list) : list_(list) {}

EditHistory::~EditHistory() = default;

void EditHistory::SetContext(std::function<std::string()> save, std::function<void(const std::string&)> restore) {
  saveContext_ = std::move(save);
  restoreContext_ = std::move(restore);
}

StepMark EditHistory::Mark() const {
  StepMark mark;
  mark.states = SaveRowStates(list_);
  if (saveContext_) mark.context = saveContext_();
  mark.revision = WordTableRevision(list_);
  return mark;
}

// A step that cannot be kept ends the whole history: undoing the older steps
// without it would put rows back into a table they do not describe.
void EditHistory::Push(std::unique_ptr<Step> step) {
  steps_.resize(done_);
  try {
    steps_.push_back(std::move(step));
    ++done_;
  } catch (const std::bad_alloc&) {
    Forget();
  }
}

void EditHistory::Forget() {
  steps_.clear();
  done_ = 0;
}

namespace {

std::unique_ptr<EditHistory::Step> NewStep(StepKind kind, StepMark&& mark, WordList table) {
  std::unique_ptr<EditHistory::Step> step(new (std::nothrow) EditHistory::Step{});
  if (!step) return step;
  step->kind = kind;
  step->label = mark.label;
  step->before = std::move(mark.states);
  step->contextBefore = std::move(mark.context);
  step->revisionBefore = mark.revision;
  step->kept.reset(table);
  return step;
}

}  // namespace

void EditHistory::RecordRowsInserted(StepMark mark, int first, int count) {
  if (count <= 0) return;
  auto step = NewStep(StepKind::kInserted, std::move(mark), CreateWordTable());
  if (!step || !step->kept) {
    Forget();
    return;
  }
  step->first = first;
  step->count = count;
  if (saveContext_) step->changesContext = saveContext_() != step->contextBefore;
  Push(std::move(step));
}

void EditHistory::RecordRowDeleting(int index, int label) {
  if (index < 0 || index >= RowCount(list_)) return;
  StepMark mark = Mark();
  mark.label = label;
  auto step = NewStep(StepKind::kDeleted, std::move(mark), CreateWordTable());
  WordEntry row;
  GetWholeWordRow(list_, index, row);
  if (!step || !step->kept || !InsertWordRow(step->kept.get(), 0, row)) {
    Forget();
    return;
  }
  step->first = index;
  step->count = 1;
  Push(std::move(step));
}

void EditHistory::RecordRowsChanging(const std::vector<int>& rows, int label) {
  StepMark mark = Mark();
  mark.label = label;
  auto step = NewStep(StepKind::kChanged, std::move(mark), CreateWordTable());
  if (!step || !step->kept) {
    Forget();
    return;
  }
  try {
    const int count = RowCount(list_);
    for (const int index : rows) {
      if (index < 0 || index >= count) continue;
      const std::string_view texts[kWordColumns] = {WordRowText(list_, index, 0), WordRowText(list_, index, 1),
                                                    WordRowText(list_, index, 2)};
      if (!AppendWordRowTexts(step->kept.get(), texts)) throw std::bad_alloc();
      step->rows.push_back(static_cast<uint32_t>(index));
    }
  } catch (const std::bad_alloc&) {
    Forget();
    return;
  }
  if (step->rows.empty()) return;
  Push(std::move(step));
}

bool EditHistory::ChangeRows(StepMark mark, std::vector<uint32_t> rows, WordList texts, unsigned columns) {
  auto step = NewStep(StepKind::kChanged, std::move(mark), texts);
  if (!step) {
    DestroyWordTable(texts);
    return false;
  }
  if (rows.empty()) return true;
  if (!ExchangeWordRowTexts(list_, rows, texts, columns)) return false;
  step->rows = std::move(rows);
  step->columns = columns;
  Push(std::move(step));
  return true;
}

void EditHistory::ReplaceRows(StepMark mark, WordList fresh) {
  auto step = NewStep(StepKind::kReplaced, std::move(mark), fresh);
  SwapWordRows(list_, fresh);
  if (!step) {
    DestroyWordTable(fresh);
    Forget();
    return;
  }
  if (saveContext_) step->changesContext = saveContext_() != step->contextBefore;
  Push(std::move(step));
}

void EditHistory::RecordRowsSorted(StepMark mark, std::vector<uint32_t> order, int column, int32_t oldDirection) {
  if (column < 0 || column >= kWordColumns) return;
  if (order.size() != static_cast<size_t>(RowCount(list_))) {
    Forget();  // rows that could not be sorted leave no permutation to undo
    return;
  }
  auto step = NewStep(StepKind::kSorted, std::move(mark), nullptr);
  if (!step) {
    Forget();
    return;
  }
  step->order = std::move(order);
  step->column = column;
  step->directionBefore = oldDirection;
  step->directionAfter = ColumnSortDirection(list_, column);
  Push(std::move(step));
}

namespace {

// The first row whose place a permutation changes, or -1.
int FirstMovedRow(const std::vector<uint32_t>& order) {
  for (size_t i = 0; i < order.size(); ++i) {
    if (order[i] != i) return static_cast<int>(i);
  }
  return -1;
}

bool Unsort(WordList list, EditHistory::Step& step) {
  try {
    std::vector<uint32_t> back(step.order.size());
    for (size_t i = 0; i < step.order.size(); ++i) back[step.order[i]] = static_cast<uint32_t>(i);
    if (!ReorderWordRows(list, back)) return false;
  } catch (const std::bad_alloc&) {
    return false;
  }
  SetColumnSortDirection(list, step.column, step.directionBefore);
  return true;
}

bool Resort(WordList list, EditHistory::Step& step) {
  if (!ReorderWordRows(list, step.order)) return false;
  SetColumnSortDirection(list, step.column, step.directionAfter);
  return true;
}

}  // namespace

bool EditHistory::Apply(Step& step, bool undo) {
  WordList kept = step.kept.get();
  switch (step.kind) {
    case StepKind::kInserted:
      return undo ? MoveWordRows(list_, step.first, step.count, kept, 0)
                  : MoveWordRows(kept, 0, step.count, list_, step.first);
    case StepKind::kDeleted:
      return undo ? MoveWordRows(kept, 0, 1, list_, step.first) : MoveWordRows(list_, step.first, 1, kept, 0);
    case StepKind::kChanged: return ExchangeWordRowTexts(list_, step.rows, kept, step.columns);
    case StepKind::kReplaced: SwapWordRows(list_, kept); return true;
    case StepKind::kSorted: return undo ? Unsort(list_, step) : Resort(list_, step);
  }
  return false;
}

namespace {

// Where the user finds what a step changed: the rows it put in or changed,
// the place of the rows it took out, the first row a sort moved.
int FirstChangedRow(const EditHistory::Step& step, int rows) {
  int row = -1;
  switch (step.kind) {
    case StepKind::kInserted:
    case StepKind::kDeleted: row = step.first; break;
    case StepKind::kChanged: row = step.rows.empty() ? -1 : static_cast<int>(step.rows.front()); break;
    case StepKind::kReplaced: row = 0; break;
    case StepKind::kSorted: row = FirstMovedRow(step.order); break;
  }
  return std::min(row, rows - 1);
}

}  // namespace

bool EditHistory::Undo() {
  if (done_ == 0) return false;
  Step& step = *steps_[done_ - 1];
  RowStates after = SaveRowStates(list_);
  std::string contextAfter = step.changesContext && saveContext_ ? saveContext_() : std::string();
  const uint64_t revisionAfter = WordTableRevision(list_);
  if (!Apply(step, true)) return false;
  RestoreWordTableRevision(list_, step.revisionBefore);
  step.revisionAfter = revisionAfter;
  step.after = std::move(after);
  if (step.changesContext) step.contextAfter = std::move(contextAfter);
  --done_;
  RestoreRowStates(list_, step.before);
  changedRow_ = FirstChangedRow(step, RowCount(list_));
  if (step.changesContext && restoreContext_) restoreContext_(step.contextBefore);
  return true;
}

bool EditHistory::Redo() {
  if (done_ == steps_.size()) return false;
  Step& step = *steps_[done_];
  if (!Apply(step, false)) return false;
  RestoreWordTableRevision(list_, step.revisionAfter);
  ++done_;
  RestoreRowStates(list_, step.after);
  changedRow_ = FirstChangedRow(step, RowCount(list_));
  if (step.changesContext && restoreContext_) restoreContext_(step.contextAfter);
  return true;
}

int EditHistory::UndoLabel() const { return done_ > 0 ? steps_[done_ - 1]->label : 0; }

int EditHistory::RedoLabel() const { return done_ < steps_.size() ? steps_[done_]->label : 0; }

int EditHistory::SortedColumn() const {
  return done_ > 0 && steps_[done_ - 1]->kind == StepKind::kSorted ? steps_[done_ - 1]->column : -1;
}

int32_t EditHistory::SortedDirection() const { return SortedColumn() >= 0 ? steps_[done_ - 1]->directionAfter : 0; }

size_t EditHistory::LastStepMemory() const {
  if (done_ == 0) return 0;
  const Step& step = *steps_[done_ - 1];
  return sizeof(Step) + step.rows.capacity() * sizeof(uint32_t) + step.order.capacity() * sizeof(uint32_t) +
         WordTableMemory(step.kept.get());
}
