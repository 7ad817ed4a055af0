#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include "readings/mapped_file.h"

std::unique_ptr<MappedFile> MappedFile::Open(const std::string& utf8Path, std::uintmax_t limit) {
  // Opened without waiting, so that a FIFO is refused rather than waited on.
  const int fd = ::open(utf8Path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) return nullptr;
  std::unique_ptr<MappedFile> file(new MappedFile);
  struct stat status {};
  bool mapped = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode) && status.st_size >= 0 &&
                static_cast<std::uintmax_t>(status.st_size) <= limit &&
                static_cast<std::uintmax_t>(status.st_size) <= SIZE_MAX;
  if (mapped && status.st_size > 0) {
    const auto size = static_cast<size_t>(status.st_size);
    void* at = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
    mapped = at != MAP_FAILED;
    if (mapped) {
      file->data_ = static_cast<const char*>(at);
      file->size_ = size;
    }
  }
  ::close(fd);
  return mapped ? std::move(file) : nullptr;
}

MappedFile::~MappedFile() {
  if (data_ != nullptr) ::munmap(const_cast<char*>(data_), size_);
}
