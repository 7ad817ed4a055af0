#pragma once
// Pool files (.ppl): a 10-byte header, then records of word, reading and coded
// baseform, each NUL-terminated. Their rows are always appended.

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "files/file_formats.h"
#include "files/input_file.h"
#include "wordlist/word_list.h"

inline constexpr size_t kPoolHeaderSize = 10;
// A NUL, "1.Ja_JPR", a NUL.
inline constexpr unsigned char kPoolHeader[kPoolHeaderSize] = {0x00, 0x31, 0x2E, 0x4A, 0x61,
                                                               0x5F, 0x4A, 0x50, 0x52, 0x00};

// Fails, with the list untouched, when the file cannot be opened, does not
// start with the header, a read fails, its body or rows cannot be held in
// memory, or `progress` asked to stop; otherwise the file is read, also when
// it gives no rows.
LoadResult LoadPoolFile(WordList list, const char* path, const LoadProgress& progress = {});

// Whether the file, opened in binary mode, starts with the ten header bytes.
// Moves the file position.
bool HasPoolHeader(std::FILE* file);

// Why the row cannot be written exactly as a pool file record, or kNone.
RowProblem PoolFileRowProblem(const RowTexts& row);

// The same check as the rows needing attention take it (LeftOutCheck,
// wordlist/row_attention.h): 0 for a row the pool file holds, otherwise the
// reason, numbered from kEmptyBaseform on; PoolLeftOutProblem names it again.
int PoolFileLeftOutReason(std::string_view word, std::string_view reading, std::string_view baseform);
RowProblem PoolLeftOutProblem(int reason);

// The header, appended to `out`.
void AppendPoolFileStart(std::string& out);

// The record of a row that has no problem: the word, the reading and the
// baseform coded one byte per phoneme symbol, each NUL-terminated; for a row
// with a problem nothing, and the problem.
RowProblem AppendPoolFileRecord(const RowTexts& row, std::string& out);
