#pragma once
// How every reader puts a file's rows into the list: it reads them into a
// table of its own, which is appended to the list, or takes the list's rows'
// place, only once the whole file has been read. A file that cannot be read
// to its end (a read error, no memory for its rows) leaves the list exactly
// as it was.

#include <memory>

#include "files/input_file.h"
#include "wordlist/word_list.h"

// Runs `read` on a fresh table (it returns why, when the file could not be
// read to its end), then appends the rows to `list`, or swaps them in when
// `append` is false.
template <typename Read>
LoadResult LoadThroughFreshTable(WordList list, bool append, Read read) {
  const std::unique_ptr<WordTable, void (*)(WordList)> fresh(CreateWordTable(), DestroyWordTable);
  if (!fresh) return LoadFailed(LoadFailure::kNoMemory);
  if (const LoadResult result = read(fresh.get()); !result) return result;
  if (!append) {
    SwapWordRows(list, fresh.get());
    return {};
  }
  if (AppendWordRows(list, fresh.get())) return {};
  return LoadFailed(LoadFailure::kNoMemory);
}
