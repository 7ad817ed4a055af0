#include "files/input_file.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

LoadProblem g_lastProblem;
LoadProgress g_progress;

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

enum class Kind { kFile, kFolder, kStream, kDevice };

Kind KindOf(std::FILE* file) {
#ifdef _WIN32
  struct _stat64 status;
  if (_fstat64(_fileno(file), &status) != 0) return Kind::kFile;
  if (status.st_mode & _S_IFDIR) return Kind::kFolder;
  if (status.st_mode & _S_IFIFO) return Kind::kStream;
  if (status.st_mode & _S_IFCHR) return Kind::kDevice;
  return Kind::kFile;
#else
  struct stat status;
  if (fstat(fileno(file), &status) != 0) return Kind::kFile;
  if (S_ISDIR(status.st_mode)) return Kind::kFolder;
  if (S_ISFIFO(status.st_mode)) return Kind::kStream;
  if (S_ISREG(status.st_mode)) return Kind::kFile;
  return Kind::kDevice;
#endif
}

// A FIFO is opened as every program opens one: once a writer has opened its
// end.
std::FILE* OpenForReading(const char* path) {
#ifdef _WIN32
  return std::fopen(path, "rb");
#else
  const int fd = open(path, O_RDONLY | O_CLOEXEC);
  if (fd < 0) return nullptr;
  std::FILE* file = fdopen(fd, "rb");
  if (!file) {
    const int error = errno;
    close(fd);
    errno = error;
  }
  return file;
#endif
}

// Standard input, on a descriptor of its own so that closing it leaves the
// process's standard input alone.
std::FILE* OpenStandardInput() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  const int fd = _dup(_fileno(stdin));
  return fd < 0 ? nullptr : _fdopen(fd, "rb");
#else
  const int fd = dup(fileno(stdin));
  return fd < 0 ? nullptr : fdopen(fd, "rb");
#endif
}

// The bytes of a stream, read to its end into a temporary file positioned at
// its start; empty (with the reason set) when that cannot be done.
InputFile SetAside(InputFile stream) {
  InputFile copy(std::tmpfile());
  if (!copy) {
    SetLoadProblem(LoadFailure::kNotSeekable, errno);
    return {};
  }
  char block[1 << 16];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, stream.get())) > 0) {
    if (std::fwrite(block, 1, n, copy.get()) != n) {
      SetLoadProblem(LoadFailure::kNotSeekable, errno);
      return {};
    }
  }
  if (std::ferror(stream.get())) {
    SetLoadProblem(LoadFailure::kReadError, errno);
    return {};
  }
  if (std::fflush(copy.get()) != 0 || !SeekInputFile(copy.get(), 0, SEEK_SET)) {
    SetLoadProblem(LoadFailure::kNotSeekable, errno);
    return {};
  }
  return copy;
}

}  // namespace

LoadProblem LastLoadProblem() { return g_lastProblem; }

void SetLoadProgress(LoadProgress progress) { g_progress = std::move(progress); }

bool ReportLoadProgress(int64_t done, int64_t size) {
  if (!g_progress || g_progress(done, size)) return true;
  SetLoadProblem(LoadFailure::kStopped);
  return false;
}

void SetLoadProblem(LoadFailure failure, int error) { g_lastProblem = {failure, error}; }

InputFile OpenInputFile(const char* path) {
  errno = 0;
  InputFile file(std::strcmp(path, "-") == 0 ? OpenStandardInput() : OpenForReading(path));
  if (!file) {
    SetLoadProblem(LoadFailure::kCannotOpen, errno);
    return {};
  }
  switch (KindOf(file.get())) {
    case Kind::kFile: return file;
    case Kind::kFolder: SetLoadProblem(LoadFailure::kCannotOpen, EISDIR); return {};
    case Kind::kDevice: SetLoadProblem(LoadFailure::kNotAFile); return {};
    case Kind::kStream: break;
  }
  return SetAside(std::move(file));
}

int64_t InputFileSize(std::FILE* file) {
  if (!SeekInputFile(file, 0, SEEK_END)) return -1;
  return TellInputFile(file);
}

size_t ReadInputFileAt(std::FILE* file, int64_t offset, void* buffer, size_t size) {
  if (offset < 0 || !SeekInputFile(file, offset, SEEK_SET)) return 0;
  return std::fread(buffer, 1, size, file);
}
