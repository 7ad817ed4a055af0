#pragma once
// Opening and reading the files the importers take, the same on every
// platform: always in binary mode (the text reader does its own line ends),
// with 64-bit offsets, and a file closed by its owner going out of scope.

#include <cstdint>
#include <cstdio>
#include <memory>

struct InputFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using InputFile = std::unique_ptr<std::FILE, InputFileCloser>;

// Opens `path` for reading in binary mode; empty when it cannot be opened.
// A folder counts as a file that cannot be opened, as it does on Windows
// (errno EISDIR).
InputFile OpenInputFile(const char* path);

// The size of the file in bytes, or -1 when it cannot be told.
int64_t InputFileSize(std::FILE* file);

// Reads up to `size` bytes from `offset` into `buffer`. Returns the number of
// bytes read: fewer at the end of the file or on a read error, 0 when the
// offset cannot be reached.
size_t ReadInputFileAt(std::FILE* file, int64_t offset, void* buffer, size_t size);
