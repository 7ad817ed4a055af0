#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "files/replacement_file.h"

std::FILE* CreateFileBeside(const char* path, std::string& tempPath, std::string& reason) {
  std::string name = std::string(path) + ".XXXXXX";
  const int fd = mkstemp(name.data());
  if (fd < 0) {
    reason = ErrorNumberText(errno);
    return nullptr;
  }
  // mkstemp makes the file readable by its owner alone; the saved file keeps
  // the permissions of the one it replaces, or gets the usual ones.
  struct stat old;
  mode_t mode;
  if (stat(path, &old) == 0) {
    mode = old.st_mode & 07777;
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, mode);
  std::FILE* file = fdopen(fd, "wb");
  if (!file) {
    reason = ErrorNumberText(errno);
    close(fd);
    unlink(name.c_str());
    return nullptr;
  }
  tempPath = name;
  return file;
}

bool FlushFileToDisk(std::FILE* file, std::string& reason) {
  if (fsync(fileno(file)) == 0) return true;
  reason = ErrorNumberText(errno);
  return false;
}

bool MoveFileOver(const char* tempPath, const char* path, std::string& reason) {
  // rename would also put a file in place of an empty folder's name; a
  // folder is never a word list to replace.
  struct stat st;
  if (stat(path, &st) == 0 && S_ISDIR(st.st_mode)) {
    reason = ErrorNumberText(EISDIR);
    return false;
  }
  if (std::rename(tempPath, path) == 0) return true;
  reason = ErrorNumberText(errno);
  return false;
}
