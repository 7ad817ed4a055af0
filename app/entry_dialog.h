#pragma once
// The entry dialog (template 102, "単語の修正/追加"): the one place where the
// user types rows. "修正" replaces the row at the dialog's index and closes
// it; "追加" inserts a row at the index and stays open for the next one.

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "wordlist/edit_history.h"
#include "wordlist/word_list.h"

// What the dialog works on: the list, the row index and the row's texts;
// and where each "修正" and "追加" is recorded as a step to undo (none when
// nullptr).
struct EntryDialogParam {
  WordList list;
  int32_t index;
  WordEntry entry;
  EditHistory* history;
};

// The dialog reads its boxes through buffers of this size: at most 127 bytes
// of each box reach the working copy.
inline constexpr size_t kBoxTextSize = 128;
// What the user can type into a box.
inline constexpr int kTypedTextLimit = 80;

// Opens the dialog modally over `owner` on a copy of `param` (the caller's
// copy is not touched again) and returns when it has closed. Rows are
// inserted into and replaced in param.list.
void EntryDialog(HWND owner, const EntryDialogParam& param);

// The input method's readings from a candidate list as ImmGetConversionListW
// writes it, `size` bytes: each candidate in code page 932, in order, each
// once; a candidate whose string does not end inside the `size` bytes, is
// empty or does not fit in 127 bytes is left out (when it is the first, the
// list is taken for none).
std::vector<std::string> CandidateReadings(const void* candidates, size_t size);

// The readings the dialog `dialog` lists for the word in its word box: the
// input method's first, then the reading proposer's, each once, only those a
// user could type into the reading box. Empty without a word.
std::vector<std::string> ReadingChoices(HWND dialog);

// The input method's proposal from a candidate list as ImmGetConversionListW
// writes it, `size` bytes: the first candidate in code page 932 in `reading`.
// Returns false, leaving `reading` empty, when there is no candidate, when
// its string does not end inside the `size` bytes, when it is empty, or when
// it does not fit in 127 bytes.
bool FirstCandidateReading(const void* candidates, size_t size, char (&reading)[kBoxTextSize]);
