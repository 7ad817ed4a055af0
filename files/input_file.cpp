#include "files/input_file.h"

#include <sys/stat.h>

#include <cerrno>

namespace {

bool SeekInputFile(std::FILE* file, int64_t offset, int origin) {
#ifdef _WIN32
  return _fseeki64(file, offset, origin) == 0;
#else
  return fseeko(file, static_cast<off_t>(offset), origin) == 0;
#endif
}

int64_t TellInputFile(std::FILE* file) {
#ifdef _WIN32
  return _ftelli64(file);
#else
  return ftello(file);
#endif
}

bool IsFolder(std::FILE* file) {
#ifdef _WIN32
  struct _stat64 status;
  return _fstat64(_fileno(file), &status) == 0 && (status.st_mode & _S_IFDIR);
#else
  struct stat status;
  return fstat(fileno(file), &status) == 0 && S_ISDIR(status.st_mode);
#endif
}

}  // namespace

InputFile OpenInputFile(const char* path) {
  InputFile file(std::fopen(path, "rb"));
  if (file && IsFolder(file.get())) {
    file.reset();
    errno = EISDIR;
  }
  return file;
}

int64_t InputFileSize(std::FILE* file) {
  if (!SeekInputFile(file, 0, SEEK_END)) return -1;
  return TellInputFile(file);
}

size_t ReadInputFileAt(std::FILE* file, int64_t offset, void* buffer, size_t size) {
  if (offset < 0 || !SeekInputFile(file, offset, SEEK_SET)) return 0;
  return std::fread(buffer, 1, size, file);
}
