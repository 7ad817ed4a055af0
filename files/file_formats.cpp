#include "files/file_formats.h"

#include <string_view>

#include "files/grammar_file.h"
#include "files/julius_dictionary.h"
#include "files/pool_file.h"
#include "files/text_word_list.h"

namespace {

bool LoadTextWordListBehind(WordList list, const char* path) { return LoadTextWordList(list, path, true); }

bool LoadPoolFileBehind(WordList list, const char* path) { return LoadPoolFile(list, path) != 0; }

// The text word list comes last: it takes every name the others that are
// read do not.
constexpr FileFormat kFileFormats[] = {
    {WordFileFormat::kGrammarFile, "fsg", "fsg(*.fsg)\0*.fsg\0All files(*.*)\0*.*\0", "fsg", LoadGrammarWords,
     nullptr, nullptr, nullptr},
    {WordFileFormat::kPoolFile, "ppl", "ppl(*.ppl)\0*.ppl\0All files(*.*)\0*.*\0", "ppl", LoadPoolFileBehind,
     PoolFileRowProblem, AppendPoolFileStart, AppendPoolFileRecord},
    {WordFileFormat::kJuliusDictionary, nullptr, nullptr, "dict", nullptr, JuliusDictionaryRowProblem, nullptr,
     AppendJuliusDictionaryRow},
    {WordFileFormat::kTextWordList, nullptr, "text(*.txt)\0*.txt\0All files(*.*)\0*.*\0", "txt",
     LoadTextWordListBehind, TextWordListRowProblem, nullptr, AppendTextWordListRow},
};

}  // namespace

const FileFormat& FileFormatOf(WordFileFormat format) {
  for (const FileFormat& entry : kFileFormats) {
    if (entry.format == format) return entry;
  }
  return kFileFormats[std::size(kFileFormats) - 1];
}

const FileFormat& FormatOfDroppedFile(const char* path) {
  const std::string_view name(path);
  for (const FileFormat& entry : kFileFormats) {
    if (entry.load && (!entry.nameEnd || name.ends_with(entry.nameEnd))) return entry;
  }
  return kFileFormats[std::size(kFileFormats) - 1];
}

bool LoadDroppedFile(WordList list, const char* path) { return FormatOfDroppedFile(path).load(list, path); }
