#include "files/replacement_file.h"

#include <cerrno>
#include <cstdio>

ReplacementFile::~ReplacementFile() { Discard(); }

SaveResult ReplacementFile::Open(const char* path) {
  Discard();
  reason_.clear();
  failed_ = false;
  WriteTarget target;
  const SaveResult result = OpenWriteTarget(path, target, reason_);
  if (result != SaveResult::kSaved) return result;
  path_ = target.path;
  tempPath_ = target.tempPath;
  file_ = target.file;
  closeFile_ = target.closeFile;
  if (!tempPath_.empty()) ProtectTemporaryFile(tempPath_);
  return SaveResult::kSaved;
}

void ReplacementFile::Write(const void* data, size_t size) {
  if (failed_ || size == 0 || !file_) return;
  errno = 0;
  if (std::fwrite(data, 1, size, file_) == size) return;
  failed_ = true;
  reason_ = ErrorNumberText(errno);
}

SaveResult ReplacementFile::Commit() {
  if (!file_) return SaveResult::kCannotCreate;
  const bool direct = tempPath_.empty();
  bool written = !failed_;
  if (written) {
    errno = 0;
    written = std::fflush(file_) == 0;
    if (!written) reason_ = ErrorNumberText(errno);
  }
  // A device or a pipe has nothing to write through to a disk.
  if (written && !direct) written = FlushFileToDisk(file_, reason_);
  errno = 0;
  const bool closed = !closeFile_ || std::fclose(file_) == 0;
  if (!closed && reason_.empty()) reason_ = ErrorNumberText(errno);
  file_ = nullptr;
  if (!written || !closed) {
    Discard();
    return SaveResult::kWriteFailed;
  }
  if (direct) return SaveResult::kSaved;
  if (!MoveFileOver(tempPath_.c_str(), path_.c_str(), reason_)) {
    Discard();
    return SaveResult::kCannotReplace;
  }
  tempPath_.clear();
  UnprotectTemporaryFile();
  return SaveResult::kSaved;
}

void ReplacementFile::Discard() {
  if (file_ && closeFile_) std::fclose(file_);
  file_ = nullptr;
  if (!tempPath_.empty()) {
    RemoveTemporaryFile(tempPath_);
    UnprotectTemporaryFile();
  }
  tempPath_.clear();
}
