#pragma once
// How every reader puts a file's rows into the list: it reads them into a
// table of its own, which is appended to the list, or takes the list's rows'
// place, only once the whole file has been read. A file that cannot be read
// to its end (a read error, no memory for its rows) leaves the list exactly
// as it was.

#include <memory>

#include "files/input_file.h"
#include "wordlist/word_list.h"

// Runs `read` on a fresh table (it returns false, having set the load
// problem, when the file could not be read to its end), then appends the
// rows to `list`, or swaps them in when `append` is false.
template <typename Read>
bool LoadThroughFreshTable(WordList list, bool append, Read read) {
  const std::unique_ptr<WordTable, void (*)(WordList)> fresh(CreateWordTable(), DestroyWordTable);
  if (!fresh) {
    SetLoadProblem(LoadFailure::kNoMemory);
    return false;
  }
  if (!read(fresh.get())) return false;
  if (!append) {
    SwapWordRows(list, fresh.get());
    return true;
  }
  if (AppendWordRows(list, fresh.get())) return true;
  SetLoadProblem(LoadFailure::kNoMemory);
  return false;
}
