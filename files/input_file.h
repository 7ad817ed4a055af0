#pragma once
// Opening and reading the files the importers take, the same on every
// platform: always in binary mode (the text reader does its own line ends),
// with 64-bit offsets, and a file closed by its owner going out of scope.
// Every reader says why it could not read a file through SetLoadProblem, so
// that the caller can tell the user (LastLoadProblem).

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>

struct InputFileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using InputFile = std::unique_ptr<std::FILE, InputFileCloser>;

enum class LoadFailure {
  kNone,
  kCannotOpen,     // no such file, no permission, a folder...
  kNotAFile,       // a device or a socket, which never ends or cannot be read as a file
  kNotSeekable,    // a pipe whose bytes could not be set aside to be read
  kReadError,      // the system failed a read
  kNotAPoolFile,   // a pool file whose first ten bytes differ from the header
  kNoMemory,       // the file, or its rows, do not fit in memory
  kStopped,        // the caller stopped the read (LoadProgress)
};

struct LoadProblem {
  LoadFailure failure = LoadFailure::kNone;
  int error = 0;  // the C library's error number, where the system gave one
};

// What the readers tell of their progress while they read a file: the bytes
// read so far and the file's size (-1 when unknown). When it returns false
// the read stops and fails with kStopped. One hook for every load that
// follows, until it is set again; empty: none.
using LoadProgress = std::function<bool(int64_t done, int64_t size)>;
void SetLoadProgress(LoadProgress progress);
// For the readers: false when the read is to stop (the load problem is then set).
bool ReportLoadProgress(int64_t done, int64_t size);

// Why the last load that failed could not read its file.
LoadProblem LastLoadProblem();
void SetLoadProblem(LoadFailure failure, int error = 0);

// Opens `path` for reading in binary mode; "-" is standard input. Empty when
// it cannot be opened, with the reason set. A folder cannot be opened (as on
// Windows); a device cannot be read. A pipe or FIFO (standard input may be
// one) cannot seek: its bytes are read to their end into a temporary file,
// which is what the readers then read.
InputFile OpenInputFile(const char* path);

// The size of the file in bytes, or -1 when it cannot be told.
int64_t InputFileSize(std::FILE* file);

// Reads up to `size` bytes from `offset` into `buffer`. Returns the number of
// bytes read: fewer at the end of the file or on a read error, 0 when the
// offset cannot be reached.
size_t ReadInputFileAt(std::FILE* file, int64_t offset, void* buffer, size_t size);
