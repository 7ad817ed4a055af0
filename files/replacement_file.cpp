#include "files/replacement_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

ReplacementFile::~ReplacementFile() { Discard(); }

bool ReplacementFile::Open(const char* path) {
  Discard();
  path_ = path;
  reason_.clear();
  file_ = CreateFileBeside(path, tempPath_, reason_);
  failed_ = false;
  return file_ != nullptr;
}

void ReplacementFile::Write(const void* data, size_t size) {
  if (failed_ || size == 0) return;
  errno = 0;
  if (std::fwrite(data, 1, size, file_) == size) return;
  failed_ = true;
  reason_ = ErrorNumberText(errno);
}

SaveResult ReplacementFile::Commit() {
  if (!file_) return SaveResult::kCannotCreate;
  bool written = !failed_;
  if (written) {
    errno = 0;
    written = std::fflush(file_) == 0;
    if (!written) reason_ = ErrorNumberText(errno);
  }
  written = written && FlushFileToDisk(file_, reason_);
  errno = 0;
  const bool closed = std::fclose(file_) == 0;
  if (!closed && reason_.empty()) reason_ = ErrorNumberText(errno);
  file_ = nullptr;
  if (!written || !closed) {
    Discard();
    return SaveResult::kWriteFailed;
  }
  if (!MoveFileOver(tempPath_.c_str(), path_.c_str(), reason_)) {
    Discard();
    return SaveResult::kCannotReplace;
  }
  tempPath_.clear();
  return SaveResult::kSaved;
}

std::string ErrorNumberText(int error) { return error ? std::strerror(error) : ""; }

void ReplacementFile::Discard() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!tempPath_.empty()) std::remove(tempPath_.c_str());
  tempPath_.clear();
}
