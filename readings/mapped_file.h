#pragma once
// A dictionary file mapped into memory, read-only, as the analyser maps its
// own: the system reads a page when it is first touched and shares it with
// its file cache, nothing is copied, and a program that looks up a few words
// pays only for the pages they lie in.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

class MappedFile {
 public:
  // The file at `utf8Path`, mapped; nullptr when it is not a regular file of
  // at most `limit` bytes or cannot be opened or mapped.
  static std::unique_ptr<MappedFile> Open(const std::string& utf8Path, std::uintmax_t limit);
  ~MappedFile();
  MappedFile(const MappedFile&) = delete;
  MappedFile& operator=(const MappedFile&) = delete;

  std::string_view Text() const { return {data_, size_}; }

 private:
  MappedFile() = default;
  const char* data_ = nullptr;  // none for an empty file
  size_t size_ = 0;
};
