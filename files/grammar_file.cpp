#include "files/grammar_file.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "convert/sjis_text.h"
#include "files/fresh_table.h"
#include "files/input_file.h"

namespace {

// The three values that place the word block, at offsets 0, 16 and 32.
constexpr size_t kValuesSize = 36;

uint32_t ValueAt(const unsigned char* bytes, size_t offset) {
  return uint32_t{bytes[offset]} | uint32_t{bytes[offset + 1]} << 8 | uint32_t{bytes[offset + 2]} << 16 |
         uint32_t{bytes[offset + 3]} << 24;
}

// The values are 32-bit signed and their sums wrap as in 32-bit arithmetic;
// the unsigned sum keeps the wrap defined.
int32_t AsSigned(uint32_t value) { return static_cast<int32_t>(value); }

}  // namespace

// Whatever the file's values say, only bytes read from the file are used:
// - a file too short for its three values gives no rows (it did open: true);
//   one whose values cannot be read for a read error counts as unreadable;
// - a block length of zero or less, or a block that starts before offset 0
//   or at or past the end of the file, gives no rows;
// - a block that reaches past the end of the file is taken as far as the
//   file goes, so the buffer is never larger than the file;
// - a last string without its NUL inside the bytes read is a damaged word
//   and gives no row; the words before it stay;
// - a word of 256 bytes or more is cut at the last whole character within
//   255 bytes, as every row field is.
// When the block cannot be held in memory, or a read fails, the file counts
// as unreadable: false, and the list is untouched.
LoadResult LoadGrammarWords(WordList list, const char* path, const LoadProgress& progress) {
  LoadResult result;
  InputFile file = OpenInputFile(path, result);
  if (!file) return result;
  const auto readError = [&file]() -> LoadResult {
    if (std::ferror(file.get())) return LoadFailed(LoadFailure::kReadError, errno);
    return {};
  };
  unsigned char values[kValuesSize];
  errno = 0;
  if (ReadInputFileAt(file.get(), 0, values, kValuesSize) < kValuesSize) return readError();
  const uint32_t v0 = ValueAt(values, 0);
  const uint32_t v16 = ValueAt(values, 16);
  const uint32_t v32 = ValueAt(values, 32);
  const int64_t start = AsSigned(v16 + v32 + 4);
  const int64_t length = AsSigned(v0 - v32 - v16 - 4);
  const int64_t fileSize = InputFileSize(file.get());
  if (length <= 0 || start < 0 || start >= fileSize) return {};

  const auto blockSize = static_cast<size_t>(length < fileSize - start ? length : fileSize - start);
  std::unique_ptr<char[]> block(new (std::nothrow) char[blockSize]);
  if (!block) return LoadFailed(LoadFailure::kNoMemory);
  errno = 0;
  const size_t read = ReadInputFileAt(file.get(), start, block.get(), blockSize);
  if (std::ferror(file.get())) return readError();
  file.reset();

  ProgressReport report(progress, static_cast<int64_t>(read));
  return LoadThroughFreshTable(list, true, [&](WordList words) -> LoadResult {
    WordEntry entry{};
    int index = 0;
    for (size_t pos = 0; pos < read;) {
      if (!report.At(pos)) return LoadFailed(LoadFailure::kStopped);
      const char* word = block.get() + pos;
      const void* nul = std::memchr(word, '\0', read - pos);
      if (!nul) break;
      const auto wordLength = static_cast<size_t>(static_cast<const char*>(nul) - word);
      CopySjisText(entry.word, std::string_view(word, wordLength));
      if (!InsertWordRow(words, index++, entry)) return LoadFailed(LoadFailure::kNoMemory);
      pos += wordLength + 1;
    }
    if (!report.Finished()) return LoadFailed(LoadFailure::kStopped);
    return {};
  });
}
