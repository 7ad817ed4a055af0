#pragma once
// Opening and reading the files the importers take, the same on every
// platform: always in binary mode (the text reader does its own line ends),
// with 64-bit offsets, and a file closed by its owner going out of scope.
// Every reader returns why it could not read a file (a LoadResult), so that
// the caller can tell the user, and reports how far it has come to the
// caller's LoadProgress.

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
  kStopped,        // the caller's progress callback asked to stop
};

// What a load came to: read (kNone, true), or why not.
struct LoadResult {
  LoadFailure failure = LoadFailure::kNone;
  int error = 0;  // the C library's error number, where the system gave one
  explicit operator bool() const { return failure == LoadFailure::kNone; }
};

inline LoadResult LoadFailed(LoadFailure failure, int error = 0) { return {failure, error}; }

// Told how far a load has come: `done` of `total` bytes of the file. It
// returns false to stop the load, which then fails (kStopped) and leaves the
// list as it was. An empty function is never called.
using LoadProgress = std::function<bool(uint64_t done, uint64_t total)>;

// Calls a load's progress callback every 256 KiB or so of the file, not on
// every line.
class ProgressReport {
 public:
  ProgressReport(const LoadProgress& progress, int64_t total)
      : progress_(progress), total_(total > 0 ? static_cast<uint64_t>(total) : 0) {}
  // False once the callback has asked to stop.
  bool At(uint64_t done) {
    if (!progress_ || done < next_) return true;
    next_ = done + kStep;
    return progress_(done < total_ ? done : total_, total_);
  }
  bool Finished() { return !progress_ || progress_(total_, total_); }

 private:
  static constexpr uint64_t kStep = 256 * 1024;
  const LoadProgress& progress_;
  uint64_t total_;
  uint64_t next_ = 0;
};

// Opens `path` for reading in binary mode; "-" is standard input. Empty when
// it cannot be opened, with the reason in `result`. A folder cannot be opened (as on
// Windows); a device cannot be read. A pipe or FIFO (standard input may be
// one) cannot seek: its bytes are read to their end into a temporary file,
// which is what the readers then read.
InputFile OpenInputFile(const char* path, LoadResult& result);

// The size of the file in bytes, or -1 when it cannot be told. Moves the
// file position.
int64_t InputFileSize(std::FILE* file);

// Back to the file's first byte; false when the file cannot seek.
bool RewindInputFile(std::FILE* file);

// Reads up to `size` bytes from `offset` into `buffer`. Returns the number of
// bytes read: fewer at the end of the file or on a read error, 0 when the
// offset cannot be reached.
size_t ReadInputFileAt(std::FILE* file, int64_t offset, void* buffer, size_t size);
