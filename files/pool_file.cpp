#include "files/pool_file.h"

#include <cerrno>
#include <cstdint>
#include <cstring>
#include <memory>
#include <new>
#include <string_view>

#include "convert/phoneme_codes.h"
#include "convert/sjis_text.h"
#include "files/fresh_table.h"
#include "files/input_file.h"
#include "wordlist/row_attention.h"

namespace {

// The string at `pos` if its NUL lies inside the body; `pos` then moves past
// the NUL.
bool NextString(const char* body, size_t size, size_t& pos, std::string_view& text) {
  const void* nul = std::memchr(body + pos, '\0', size - pos);
  if (!nul) return false;
  text = std::string_view(body + pos, static_cast<size_t>(static_cast<const char*>(nul) - (body + pos)));
  pos += text.size() + 1;
  return true;
}

}  // namespace

bool HasPoolHeader(std::FILE* file) {
  unsigned char header[kPoolHeaderSize];
  return ReadInputFileAt(file, 0, header, kPoolHeaderSize) == kPoolHeaderSize &&
         std::memcmp(header, kPoolHeader, kPoolHeaderSize) == 0;
}

// Only bytes read from the file are used:
// - a record is taken only when all three of its strings end inside the
//   body; a body that ends inside a record keeps the rows before it;
// - a word or reading of 256 bytes or more is cut at the last whole
//   character within 255 bytes;
// - the coded baseform is expanded straight from the body, however long it
//   is; the expansion ends after the last whole symbol that fits the 255
//   bytes of the field.
LoadResult LoadPoolFile(WordList list, const char* path, const LoadProgress& progress) {
  LoadResult result;
  InputFile file = OpenInputFile(path, result);
  if (!file) return result;
  errno = 0;
  if (!HasPoolHeader(file.get())) {
    return LoadFailed(std::ferror(file.get()) ? LoadFailure::kReadError : LoadFailure::kNotAPoolFile,
                      std::ferror(file.get()) ? errno : 0);
  }
  const int64_t fileSize = InputFileSize(file.get());
  if (fileSize < 0) return LoadFailed(LoadFailure::kReadError, errno);
  const int64_t bodySize = fileSize - static_cast<int64_t>(kPoolHeaderSize);
  if (bodySize <= 0) return {};
  if (static_cast<uint64_t>(bodySize) > SIZE_MAX) return LoadFailed(LoadFailure::kNoMemory);
  std::unique_ptr<char[]> body(new (std::nothrow) char[static_cast<size_t>(bodySize)]);
  if (!body) return LoadFailed(LoadFailure::kNoMemory);
  errno = 0;
  const size_t read = ReadInputFileAt(file.get(), kPoolHeaderSize, body.get(), static_cast<size_t>(bodySize));
  if (std::ferror(file.get())) return LoadFailed(LoadFailure::kReadError, errno);
  file.reset();

  ProgressReport report(progress, static_cast<int64_t>(read));
  return LoadThroughFreshTable(list, true, [&](WordList rows) -> LoadResult {
    int index = 0;
    for (size_t pos = 0; pos < read;) {
      if (!report.At(pos)) return LoadFailed(LoadFailure::kStopped);
      std::string_view word, reading, codes;
      if (!NextString(body.get(), read, pos, word) || !NextString(body.get(), read, pos, reading) ||
          !NextString(body.get(), read, pos, codes)) {
        break;
      }
      WordEntry entry{};
      CopySjisText(entry.word, word);
      CopySjisText(entry.reading, reading);
      ExpandPhonemeCodes(codes.data(), entry.baseform);
      if (!InsertWordRow(rows, index++, entry)) return LoadFailed(LoadFailure::kNoMemory);
    }
    if (!report.Finished()) return LoadFailed(LoadFailure::kStopped);
    return {};
  });
}

namespace {

// Spacing counts before symbols: a baseform with both faults is one of bad
// spacing. Codes carry no spaces: the reader puts exactly one between
// symbols, so only such a baseform comes back as it was.
RowProblem BaseformProblem(std::string_view baseform) {
  if (baseform.empty()) return RowProblem::kEmptyBaseform;
  const SymbolCodes found = CodePhonemeSymbols(baseform, nullptr);
  return found.emptySymbol ? RowProblem::kBadSpacing : found.unknownSymbol ? RowProblem::kUnknownSymbol : RowProblem::kNone;
}

}  // namespace

RowProblem PoolFileRowProblem(const RowTexts& row) { return BaseformProblem(row.baseform); }

static_assert(static_cast<int>(RowProblem::kBadSpacing) - static_cast<int>(RowProblem::kEmptyBaseform) + 1 ==
                  kLeftOutReasons,
              "each of the pool writer's reasons is a kind of attention");

int PoolFileLeftOutReason(std::string_view, std::string_view, std::string_view baseform) {
  const RowProblem problem = BaseformProblem(baseform);
  return problem == RowProblem::kNone ? 0 : static_cast<int>(problem) - static_cast<int>(RowProblem::kEmptyBaseform) + 1;
}

RowProblem PoolLeftOutProblem(int reason) {
  return static_cast<RowProblem>(static_cast<int>(RowProblem::kEmptyBaseform) + reason - 1);
}

void AppendPoolFileStart(std::string& out) { out.append(reinterpret_cast<const char*>(kPoolHeader), kPoolHeaderSize); }

void AppendPoolFileRecord(const RowTexts& row, std::string& out) {
  out.append(row.word);
  out.push_back('\0');
  out.append(row.reading);
  out.push_back('\0');
  // Only a row without a problem is written: every symbol has its code.
  const size_t start = out.size();
  out.resize(start + row.baseform.size() / 2 + 1);
  const SymbolCodes found = CodePhonemeSymbols(row.baseform, reinterpret_cast<uint8_t*>(out.data() + start));
  out.resize(start + found.count);
  out.push_back('\0');
}
