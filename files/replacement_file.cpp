#include "files/replacement_file.h"

#include <cstdio>

ReplacementFile::~ReplacementFile() { Discard(); }

bool ReplacementFile::Open(const char* path) {
  Discard();
  path_ = path;
  file_ = CreateFileBeside(path, tempPath_);
  failed_ = false;
  return file_ != nullptr;
}

void ReplacementFile::Write(const void* data, size_t size) {
  if (!failed_ && size > 0 && std::fwrite(data, 1, size, file_) != size) failed_ = true;
}

SaveResult ReplacementFile::Commit() {
  if (!file_) return SaveResult::kCannotCreate;
  const bool written = !failed_ && std::fflush(file_) == 0 && FlushFileToDisk(file_);
  const bool closed = std::fclose(file_) == 0;
  file_ = nullptr;
  if (!written || !closed) {
    Discard();
    return SaveResult::kWriteFailed;
  }
  if (!MoveFileOver(tempPath_.c_str(), path_.c_str())) {
    Discard();
    return SaveResult::kCannotReplace;
  }
  tempPath_.clear();
  return SaveResult::kSaved;
}

void ReplacementFile::Discard() {
  if (file_) std::fclose(file_);
  file_ = nullptr;
  if (!tempPath_.empty()) std::remove(tempPath_.c_str());
  tempPath_.clear();
}
