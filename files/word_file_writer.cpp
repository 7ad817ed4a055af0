#include "files/word_file_writer.h"

namespace {

constexpr size_t kWriteBlock = 64 * 1024;

}  // namespace

RowProblem RowProblemFor(WordFileFormat format, const WordEntry& row) {
  const FileFormat& entry = FileFormatOf(format);
  return entry.rowProblem ? entry.rowProblem(row) : RowProblem::kEmptyWord;
}

UnwritableRows FindUnwritableRows(WordList list, WordFileFormat format, size_t named) {
  UnwritableRows found;
  const int rows = RowCount(list);
  for (int i = 0; i < rows; ++i) {
    WordEntry row;
    GetWholeWordRow(list, i, row);
    const RowProblem problem = RowProblemFor(format, row);
    if (problem == RowProblem::kNone) continue;
    if (found.first.size() < named) found.first.push_back({i, row.word, problem});
    ++found.count;
  }
  return found;
}

SaveResult SaveWordFile(WordList list, const char* path, WordFileFormat format, std::string* reason,
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
  std::string block;
  block.reserve(kWriteBlock + 1024);
  if (entry.appendStart) entry.appendStart(block);
  const int rows = RowCount(list);
  for (int i = 0; i < rows; ++i) {
    WordEntry row;
    GetWholeWordRow(list, i, row);
    if (entry.rowProblem(row) != RowProblem::kNone) continue;
    entry.appendRow(row, block);
    if (block.size() >= kWriteBlock) {
      file.Write(block.data(), block.size());
      block.clear();
      // The file is not committed: going out of scope removes it.
      if (progress && !progress(i, rows)) return SaveResult::kStopped;
    }
  }
  file.Write(block.data(), block.size());
  const SaveResult result = file.Commit();
  return result == SaveResult::kSaved ? result : failed(result);
}
