#include "import/word_file_writer.h"

#include "import/pool_file.h"

namespace {

constexpr size_t kWriteBlock = 64 * 1024;

}  // namespace

RowProblem RowProblemFor(WordFileFormat format, const WordEntry& row) {
  return format == WordFileFormat::kPoolFile ? PoolFileRowProblem(row) : TextWordListRowProblem(row);
}

UnwritableRows FindUnwritableRows(WordList list, WordFileFormat format) {
  UnwritableRows found;
  const int rows = RowCount(list);
  for (int i = 0; i < rows; ++i) {
    WordEntry row;
    GetWholeWordRow(list, i, row);
    const RowProblem problem = RowProblemFor(format, row);
    if (problem == RowProblem::kNone) continue;
    if (found.count++ == 0) {
      found.firstIndex = i;
      found.firstWord = row.word;
      found.firstProblem = problem;
    }
  }
  return found;
}

void AppendFileStart(WordFileFormat format, std::string& out) {
  if (format == WordFileFormat::kPoolFile) out.append(reinterpret_cast<const char*>(kPoolHeader), kPoolHeaderSize);
}

SaveResult SaveWordFile(WordList list, const char* path, WordFileFormat format) {
  ReplacementFile file;
  if (!file.Open(path)) return SaveResult::kCannotCreate;
  std::string block;
  block.reserve(kWriteBlock + 1024);
  AppendFileStart(format, block);
  const int rows = RowCount(list);
  for (int i = 0; i < rows; ++i) {
    WordEntry row;
    GetWholeWordRow(list, i, row);
    if (RowProblemFor(format, row) != RowProblem::kNone) continue;
    if (format == WordFileFormat::kPoolFile) {
      AppendPoolFileRecord(row, block);
    } else {
      AppendTextWordListRow(row, block);
    }
    if (block.size() >= kWriteBlock) {
      file.Write(block.data(), block.size());
      block.clear();
    }
  }
  file.Write(block.data(), block.size());
  return file.Commit();
}
