#pragma once
// A file written in full beside the one it replaces, then moved over it in
// one step: the destination is always either the old file or the whole new
// one. When anything fails, the old file is untouched and the temporary file
// is removed.

#include <cstdio>
#include <string>

enum class SaveResult {
  kSaved,
  kCannotCreate,   // no file can be made in the destination's folder
  kWriteFailed,    // writing the new file failed (disk full, device error)
  kCannotReplace,  // the destination cannot be replaced (locked, a folder)
};

class ReplacementFile {
 public:
  ReplacementFile() = default;
  ~ReplacementFile();  // removes the temporary file unless committed
  ReplacementFile(const ReplacementFile&) = delete;
  ReplacementFile& operator=(const ReplacementFile&) = delete;

  // Creates the temporary file in the folder of `path` (a NUL-terminated
  // path in the system's code page). Returns false when it cannot.
  bool Open(const char* path);

  // The temporary file, opened for writing in binary mode.
  std::FILE* file() const { return file_; }

  // Writes `size` bytes; remembers a failure for Commit.
  void Write(const void* data, size_t size);

  // Flushes the temporary file to the disk and moves it over the
  // destination. On failure the temporary file is removed.
  SaveResult Commit();

  // After a failure: the system's reason, in its own words (in the system's
  // code page), or empty when it gave none.
  const std::string& reason() const { return reason_; }

 private:
  void Discard();

  std::string path_;
  std::string tempPath_;
  std::string reason_;
  std::FILE* file_ = nullptr;
  bool failed_ = false;
};

// Platform parts (replacement_file_posix.cpp, replacement_file_win32.cpp).
// Each sets `reason` to the system's words when it fails.
// Creates a new, uniquely named file in the folder of `path` and opens it for
// writing in binary mode; nullptr when it cannot.
std::FILE* CreateFileBeside(const char* path, std::string& tempPath, std::string& reason);
// Writes the file's buffers through to the disk; false on failure.
bool FlushFileToDisk(std::FILE* file, std::string& reason);
// Moves `tempPath` over `path`, replacing it in one step.
bool MoveFileOver(const char* tempPath, const char* path, std::string& reason);
// The system's words for the C library's error number `error`.
std::string ErrorNumberText(int error);
