#pragma once
// Undo and redo over one table. Each command that changes rows records one
// step; undoing it puts back the rows, their order, the selection and focus,
// and the caller's context (the program's current file) as they were before
// it, and redoing does it again. A new step ends the steps that were undone.
//
// A step keeps only what it changed: the rows it inserted, deleted or
// changed (for rows changed in place, the texts they had in the columns
// that changed and four bytes a row for the row's number), a sort's permutation, or, for a table replaced
// whole (New, Open), the old table itself. Undoing or redoing a step works
// on the table in one pass. Steps are unlimited; a step that finds no memory is
// not kept (the change itself is still made), which also ends older steps,
// as they could no longer be undone in order.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "wordlist/word_list.h"

// The selected rows as runs [first, last] and the focused row (-1: none).
struct RowStates {
  std::vector<std::pair<int, int>> selected;
  int focused = -1;
};

RowStates SaveRowStates(WordList list);
// Rows the table no longer has are passed over.
void RestoreRowStates(WordList list, const RowStates& states);

// What a step saw before its change: states and context. Take it before
// changing anything. `label` is the caller's name for the step (for menus),
// kept with it.
struct StepMark {
  RowStates states;
  std::string context;
  int label = 0;
  uint64_t revision = 0;  // the table's, which undoing the step gives back
};

class EditHistory {
 public:
  explicit EditHistory(WordList list);
  ~EditHistory();
  EditHistory(const EditHistory&) = delete;
  EditHistory& operator=(const EditHistory&) = delete;

  // The context kept with each step beside the rows: `save` gives it as
  // bytes, `restore` puts such bytes back. Without them there is none.
  void SetContext(std::function<std::string()> save, std::function<void(const std::string&)> restore);

  StepMark Mark() const;

  // After `count` rows were inserted at `first`. A count of 0 is no step.
  void RecordRowsInserted(StepMark mark, int first, int count);

  // Before the row at `index` is deleted: keeps its texts. Nothing for no
  // such row.
  void RecordRowDeleting(int index, int label = 0);

  // Before the texts of `rows` are replaced in place (Modify, the fill of
  // readings): keeps their texts. The caller then changes them, with
  // SetWordRow, as it likes; undo and redo exchange the kept texts with the
  // rows' texts of the moment. Rows that are not in the table are passed
  // over; no rows, no step.
  void RecordRowsChanging(const std::vector<int>& rows, int label = 0);

  // Row rows[i] takes the texts of the `columns` (as for
  // ExchangeWordRowTexts) of row i of `texts`, in one pass, and the step
  // keeps the texts of those columns the rows had (in `texts`, which the
  // step owns from here on, recorded or not). `rows` must hold rows of the
  // table; no rows, no step. False, changing nothing, when the rows do not
  // fit `texts` or there is no memory for the change.
  bool ChangeRows(StepMark mark, std::vector<uint32_t> rows, WordList texts, unsigned columns = kAllColumns);

  // Replaces every row by those of `fresh` and keeps the old rows in it:
  // the step owns `fresh` from here on, recorded or not. Take `mark` before
  // the context changed.
  void ReplaceRows(StepMark mark, WordList fresh);

  // After the rows were reordered (the row now at i was at order[i]; an
  // empty order for an empty table) by sorting `column`, whose direction
  // was `oldDirection` before the sort.
  void RecordRowsSorted(StepMark mark, std::vector<uint32_t> order, int column, int32_t oldDirection);

  bool CanUndo() const { return done_ > 0; }
  bool CanRedo() const { return done_ < steps_.size(); }

  // False when there was no step to undo (redo), or the table had no memory
  // for it; the step then stays where it was.
  bool Undo();
  bool Redo();

  // Steps that can be undone, and redone.
  size_t UndoCount() const { return done_; }
  size_t RedoCount() const { return steps_.size() - done_; }

  // The labels of the step Undo and Redo would take; 0 when there is none.
  int UndoLabel() const;
  int RedoLabel() const;

  // The first row the last Undo or Redo changed, as the rows are now; -1
  // when none (the table is empty, a sort moved no row).
  int LastChangedRow() const { return changedRow_; }

  // The column the rows are sorted by, when the last step done is a sort,
  // and its direction; -1 otherwise.
  int SortedColumn() const;
  int32_t SortedDirection() const;

  // The bytes the last step done keeps (its rows, texts and tables), for
  // measuring; 0 when there is none.
  size_t LastStepMemory() const;

  struct Step;

 private:
  void Push(std::unique_ptr<Step> step);
  void Forget();
  bool Apply(Step& step, bool undo);

  WordList list_;
  std::vector<std::unique_ptr<Step>> steps_;
  size_t done_ = 0;  // steps_[0, done_) are done, the rest undone
  int changedRow_ = -1;
  std::function<std::string()> saveContext_;
  std::function<void(const std::string&)> restoreContext_;
};
