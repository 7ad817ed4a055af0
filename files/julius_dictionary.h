#pragma once
// Julius word dictionaries (.dict), written only: one line per row,
// WORD<TAB>[WORD]<TAB>PHONEMES in UTF-8 with LF, the word also being what the
// recogniser outputs, the phonemes taken from the reading by Julius's kana
// rules (convert/julius_phonemes.h). The baseform plays no part.

#include <string>

#include "files/file_formats.h"
#include "wordlist/word_list.h"

// Julius numbers its words in 16 bits unless it was built with
// --enable-words-int: it then loads at most this many.
inline constexpr int kJuliusMostWords = 65534;

// Why the row cannot be written as a dictionary line, or kNone: no word; a
// tab, LF or CR in the word (they end its fields and lines); a space in it
// (the recogniser splits the word there) or bytes that are no code page 932
// character; no reading; a reading character no kana rule covers.
RowProblem JuliusDictionaryRowProblem(const RowTexts& row);

// The line of a row that has no problem; otherwise nothing, and the problem.
RowProblem AppendJuliusDictionaryRow(const RowTexts& row, std::string& out);
