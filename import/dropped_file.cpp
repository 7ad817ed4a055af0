#include "import/dropped_file.h"

#include <string_view>

#include "import/grammar_file.h"
#include "import/pool_file.h"
#include "import/text_word_list.h"

DroppedFileKind KindOfDroppedFile(const char* path) {
  const std::string_view name(path);
  if (name.ends_with("fsg")) return DroppedFileKind::kGrammarFile;
  if (name.ends_with("ppl")) return DroppedFileKind::kPoolFile;
  return DroppedFileKind::kTextWordList;
}

bool LoadDroppedFile(WordList list, const char* path) {
  switch (KindOfDroppedFile(path)) {
    case DroppedFileKind::kGrammarFile:
      return LoadGrammarWords(list, path);
    case DroppedFileKind::kPoolFile:
      return LoadPoolFile(list, path) != 0;
    case DroppedFileKind::kTextWordList:
      break;
  }
  return LoadTextWordList(list, path, true);
}
