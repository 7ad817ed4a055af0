#pragma once
// A file written in full beside the one it replaces, then moved over it in
// one step: the destination is always either the old file or the whole new
// one. When anything fails, the old file is untouched and the temporary file
// is removed.
//
// What is replaced is the file a path names: a symbolic link is followed and
// its target replaced (a dangling link gets its target made), keeping the
// target's mode, owner and group. A read-only file is refused. What is not a
// file at all (a device, a FIFO) cannot be replaced: it is written into
// directly, and so is standard output, named "-".

#include <cstdio>
#include <string>

enum class SaveResult {
  kSaved,
  kCannotCreate,   // no file can be made in the destination's folder
  kWriteFailed,    // writing the new file failed (disk full, device error)
  kCannotReplace,  // the destination cannot be replaced (locked, a folder)
  kReadOnly,       // the destination is a read-only file
  kStopped,        // the caller stopped the write; the destination is as it was
};

class ReplacementFile {
 public:
  ReplacementFile() = default;
  ~ReplacementFile();  // removes the temporary file unless committed
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // Gets ready to write `path` (a NUL-terminated path in the system's code
  // page): creates the temporary file beside the file it names, or opens a
  // device, FIFO or standard output. kSaved when writing can begin.
  SaveResult Open(const char* path);

  // Writes `size` bytes; remembers a failure for Commit.
  void Write(const void* data, size_t size);

  // Flushes what was written to the disk and moves the temporary file over
  // the destination. On failure the temporary file is removed.
  SaveResult Commit();

  // After a failure: the system's reason, in its own words (in the system's
  // code page), or empty when it gave none.
  const std::string& reason() const { return reason_; }

 private:
  void Discard();

  std::string path_;      // the file replaced
  std::string tempPath_;  // empty when writing directly
  std::string reason_;
  std::FILE* file_ = nullptr;
  bool closeFile_ = true;  // false for standard output
  bool failed_ = false;
};

// Platform parts (replacement_file_posix.cpp, replacement_file_win32.cpp).
// Each sets `reason` to the system's words when it fails.

// Where a save writes.
struct WriteTarget {
  std::FILE* file = nullptr;
  std::string path;      // the file replaced (links followed)
  std::string tempPath;  // the temporary file beside it; empty when writing directly
  bool closeFile = true;
};
SaveResult OpenWriteTarget(const char* path, WriteTarget& target, std::string& reason);
// Writes a file's buffers through to the disk; false on failure.
bool FlushFileToDisk(std::FILE* file, std::string& reason);
// Moves `tempPath` over `path`, replacing it in one step.
bool MoveFileOver(const char* tempPath, const char* path, std::string& reason);
// Removes the temporary file, if it is still there.
void RemoveTemporaryFile(const std::string& tempPath);
// While a temporary file exists, an interruption (Ctrl-C, a termination or
// hang-up signal) removes it before the process ends, and a file-size limit
// makes the write fail instead of ending the process.
void ProtectTemporaryFile(const std::string& tempPath);
void UnprotectTemporaryFile();
// The system's words for the C library's error number `error`.
std::string ErrorNumberText(int error);
