#include "cli/input_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/text_encoding.h"
#include "convert/sjis_text.h"
#include "files/file_formats.h"
#include "files/input_file.h"
#include "files/text_word_list.h"

namespace {

// Why the file was not read, in the user's words.
std::string WhyNotRead(const LoadResult& problem) {
  const std::string system = problem.error ? std::string(": ") + std::strerror(problem.error) : "";
  switch (problem.failure) {
    case LoadFailure::kCannotOpen: return "cannot be opened" + system;
    case LoadFailure::kNotAFile: return "cannot be read: not a file";
    case LoadFailure::kNotSeekable: return "cannot be read: not seekable" + system;
    case LoadFailure::kReadError: return "cannot be read" + system;
    case LoadFailure::kNotAPoolFile: return "not a pool file: its first 10 bytes differ from the pool file header";
    case LoadFailure::kNoMemory: return "not enough memory to read it";
    case LoadFailure::kStopped: return "reading it was stopped";
    case LoadFailure::kNone: break;
  }
  return "cannot be read";
}

}  // namespace

bool ReadInputFiles(const char* command, int argc, char** argv, int first, Encoding encoding, WordList list,
                    bool* whole) {
  // Paths go to the file functions as given (code page 932, as the
  // program's own file functions take them); the messages name them in the
  // output's encoding.
  const std::vector<std::string> names = Utf8Arguments(argc, argv);
  const std::vector<bool> exact = ExactArguments(argc, argv);
  bool allRead = true;
  for (int i = first; i < argc; ++i) {
    if (!exact[static_cast<size_t>(i)]) {
      PrintError("lexiforge-cli %s: %s: cannot be read: the name cannot be written in code page 932\n",
                   command, names[static_cast<size_t>(i)].c_str());
      allRead = false;
      continue;
    }
    const char* name = encoding == Encoding::kUtf8 ? names[static_cast<size_t>(i)].c_str() : argv[i];
    if (const LoadResult result = LoadDroppedFile(list, argv[i]); !result) {
      PrintError("lexiforge-cli %s: %s: %s\n", command, name, WhyNotRead(result).c_str());
      allRead = false;
    } else if (FormatOfDroppedFile(argv[i]).format == WordFileFormat::kTextWordList) {
      // The mark the reader puts for such a character: "〓".
      std::string mark = "\xE3\x80\x93", sjisMark;
      if (encoding == Encoding::kSjis && ConvertUtf8ToSjis(mark, sjisMark)) mark = sjisMark;
      for (const long line : LastTextWordListRead().unheldLines) {
        PrintError("lexiforge-cli %s: %s: line %ld: a character Shift-JIS cannot hold; read as %s, with no reading\n",
                     command, name, line, mark.c_str());
        if (whole) *whole = false;
      }
    }
  }
  return allRead;
}
