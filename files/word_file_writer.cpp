#include "files/word_file_writer.h"

#include <cstring>
#include <string_view>
#include "convert/sjis_text.h"

namespace {

constexpr size_t kWriteBlock = 64 * 1024;

// A row's texts as the table holds them, whole.
RowTexts TextsOf(WordList list, int index) {
  std::string_view texts[kWordColumns];
  WordRowTexts(list, index, texts);
  return {texts[0], texts[1], texts[2]};
}

}  // namespace

RowProblem RowProblemFor(WordFileFormat format, const RowTexts& row) {
  const FileFormat& entry = FileFormatOf(format);
  return entry.rowProblem ? entry.rowProblem(row) : RowProblem::kEmptyWord;
}

int ForEachUnwritableRow(WordList list, WordFileFormat format,
                         const std::function<void(int index, std::string_view word, RowProblem problem)>& take) {
  int count = 0;
  const int rows = RowCount(list);
  for (int i = 0; i < rows; ++i) {
    const RowTexts row = TextsOf(list, i);
    const RowProblem problem = RowProblemFor(format, row);
    if (problem == RowProblem::kNone) continue;
    take(i, row.word, problem);
    ++count;
  }
  return count;
}

UnwritableRows FindUnwritableRows(WordList list, WordFileFormat format, size_t named) {
  UnwritableRows found;
  found.count = ForEachUnwritableRow(list, format, [&](int index, std::string_view word, RowProblem problem) {
    if (found.first.size() < named) found.first.push_back({index, std::string(word), problem});
  });
  return found;
}

std::vector<int> RowsNotInUtf8(WordList list) {
  std::vector<int> rows;
  std::string utf8;
  const int count = RowCount(list);
  for (int i = 0; i < count; ++i) {
    for (int column = 0; column < kWordColumns; ++column) {
      if (!ConvertSjisToUtf8(WordRowText(list, i, column), utf8)) {
        rows.push_back(i);
        break;
      }
    }
  }
  return rows;
}

SaveResult SaveWordFile(WordList list, const char* path, WordFileFormat format, std::string* reason, bool utf8,
                        const std::function<bool(int done, int rows)>& progress) {
  const FileFormat& entry = FileFormatOf(format);
  if (reason) reason->clear();
  if (!entry.appendRow) return SaveResult::kCannotCreate;
  ReplacementFile file;
  const auto failed = [&](SaveResult result) {
    if (reason) *reason = file.reason();
    return result;
  };
  if (const SaveResult opened = file.Open(path); opened != SaveResult::kSaved) return failed(opened);
  std::string block, converted;
  block.reserve(kWriteBlock + 1024);
  // Blocks end between rows, so each converts whole.
  const auto write = [&] {
    if (!utf8) {
      file.Write(block.data(), block.size());
    } else if (ConvertSjisToUtf8(block, converted)) {
      file.Write(converted.data(), converted.size());
    } else {
      return false;
    }
    block.clear();
    return true;
  };
  if (entry.appendStart) entry.appendStart(block);
  const int rows = RowCount(list);
  for (int i = 0; i < rows; ++i) {
    const RowTexts row = TextsOf(list, i);
    if (entry.appendRow(row, block) != RowProblem::kNone) continue;
    if (block.size() >= kWriteBlock) {
      if (!write()) return SaveResult::kWriteFailed;
      // The file is not committed: going out of scope removes it.
      if (progress && !progress(i, rows)) return SaveResult::kStopped;
    }
  }
  if (!write()) return SaveResult::kWriteFailed;
  const SaveResult result = file.Commit();
  return result == SaveResult::kSaved ? result : failed(result);
}
