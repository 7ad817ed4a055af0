#pragma once
// The kinds of file the system reads and writes, in one table: how a dropped
// file's name picks its reader, the file types the dialogs offer, and which
// rows a format's writer refuses (the rule each writer, and for pool files
// the rows needing attention, go by). Adding a format takes its reader and
// writer in files/, a WordFileFormat value and a row of the table
// (file_formats.cpp); reasons of its own a writer gives are RowProblem values
// with their texts (the string table, lexiforge-cli's save command), and the
// program's menu reaches a format through a command of its own (app/).

#include <string>
#include <string_view>

#include "files/input_file.h"
#include "wordlist/word_list.h"

enum class WordFileFormat { kTextWordList, kGrammarFile, kPoolFile, kJuliusDictionary };

// Why a row cannot be written exactly in a format.
enum class RowProblem {
  kNone,
  kEmptyWord,         // text: a line without a word gives no row
  kControlByte,       // text: a tab, LF or Ctrl-Z inside a field
  kFieldTooLong,      // text: more than 80 bytes (the reader keeps 80)
  kPlaceholderText,   // text: a reading or baseform that is exactly "?"
  kEmptyBaseform,     // pool: a word without a pronunciation
  kUnknownSymbol,     // pool: "*" or another symbol that has no code
  kBadSpacing,        // pool: anything but single spaces between symbols
  kWordNotInJulius,   // Julius: a space in the word, or bytes that are no character
  kEmptyReading,      // Julius: a word without a reading
  kUncoveredReading,  // Julius: a reading character no kana rule covers
};

// One row's three texts as the writers look at them: views into the table's
// texts (WordRowText) or into an entry's fields, valid while those are.
struct RowTexts {
  std::string_view word, reading, baseform;
  RowTexts(std::string_view w, std::string_view r, std::string_view b) : word(w), reading(r), baseform(b) {}
  // An entry's NUL-terminated fields.
  RowTexts(const WordEntry& entry)  // NOLINT(google-explicit-constructor): an entry is a row's texts
      : word(entry.word), reading(entry.reading), baseform(entry.baseform) {}
};

struct FileFormat {
  WordFileFormat format;
  // The last three bytes of a dropped file's path that choose this format,
  // compared case-sensitively; nullptr for the format of every other name
  // (and for a format that is only written).
  const char* nameEnd;
  // The dialogs' file types (this format's, then every file), as the
  // platform's file dialogs take them, and the extension added to a name
  // typed without one. The Julius dictionary has no filter of its own: it is
  // a file type of Save As, whose name the window keeps with its texts.
  const char* filter;
  const char* extension;
  // Reads the file at `path` behind the list's rows, reporting to
  // `progress`; fails when it cannot be read (see each reader). nullptr for
  // a format that is only written.
  LoadResult (*load)(WordList list, const char* path, const LoadProgress& progress);
  // For a format the system writes: why a row cannot be written exactly (or
  // kNone), what comes before the first row, and the bytes of one row:
  // appendRow appends them when the row has no problem, and otherwise
  // appends nothing and gives the problem rowProblem gives (the writer looks
  // at each row once). nullptr for a format that is only read.
  RowProblem (*rowProblem)(const RowTexts& row);
  void (*appendStart)(std::string& out);
  RowProblem (*appendRow)(const RowTexts& row, std::string& out);
};

const FileFormat& FileFormatOf(WordFileFormat format);

// The format a file dropped on the window (or named to lexiforge-cli) is read
// as: by the last three bytes of its path, "fsg" a grammar file, "ppl" a pool
// file, anything else a text word list. No dot is looked for.
const FileFormat& FormatOfDroppedFile(const char* path);

// Reads the file at `path` behind the list's rows as a file of `format`,
// through its row of the table.
LoadResult LoadWordFile(WordList list, const char* path, WordFileFormat format, const LoadProgress& progress = {});

// Reads the file behind the list's rows by the format its name gives.
LoadResult LoadDroppedFile(WordList list, const char* path, const LoadProgress& progress = {});
