#include "files/julius_dictionary.h"

#include <string_view>

#include "convert/julius_phonemes.h"
#include "convert/sjis_text.h"
#include "readings/system_text.h"  // TEMP until the code-page move lands

RowProblem JuliusDictionaryRowProblem(const WordEntry& row) {
  const std::string_view word = row.word;
  if (word.empty()) return RowProblem::kEmptyWord;
  if (word.find_first_of("\t\n\r") != std::string_view::npos) return RowProblem::kControlByte;
  thread_local std::string scratch;
  if (word.find(' ') != std::string_view::npos || !ConvertSjisToUtf8(word, scratch)) {
    return RowProblem::kWordNotInJulius;
  }
  if (row.reading[0] == '\0') return RowProblem::kEmptyReading;
  scratch.clear();
  if (!AppendJuliusPhonemes(row.reading, scratch)) return RowProblem::kUncoveredReading;
  return RowProblem::kNone;
}

void AppendJuliusDictionaryRow(const WordEntry& row, std::string& out) {
  thread_local std::string word;
  ConvertSjisToUtf8(row.word, word);
  out.append(word);
  out.append("\t[");
  out.append(word);
  out.append("]\t");
  AppendJuliusPhonemes(row.reading, out);
  out.push_back('\n');
}
