#include <fcntl.h>
#include <limits.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "files/replacement_file.h"

namespace {

// Symbolic links are followed at most this far, as the system follows them.
constexpr int kMaxLinks = 40;

// The file `path` names, links followed: the link's target, made relative
// to the link's folder when it is relative. A path that names nothing (a
// dangling link's target among them) is where the file will be made.
bool FollowLinks(std::string& path, std::string& reason) {
  for (int hops = 0; hops < kMaxLinks; ++hops) {
    struct stat st;
    if (lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    std::string target(PATH_MAX + 1, '\0');
    const ssize_t length = readlink(path.c_str(), target.data(), target.size());
    if (length < 0 || static_cast<size_t>(length) >= target.size()) {
      reason = ErrorNumberText(length < 0 ? errno : ENAMETOOLONG);
      return false;
    }
    target.resize(static_cast<size_t>(length));
    const size_t slash = path.rfind('/');
    path = target.front() == '/' || slash == std::string::npos ? target : path.substr(0, slash + 1) + target;
  }
  reason = ErrorNumberText(ELOOP);
  return false;
}

// A device, a FIFO or a socket: written into, never replaced. A FIFO is
// opened as every program opens one: once a reader has opened its end.
SaveResult OpenDirectly(WriteTarget& target, std::string& reason) {
  const int fd = open(target.path.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) {
    reason = ErrorNumberText(errno);
    return SaveResult::kCannotCreate;
  }
  target.file = fdopen(fd, "wb");
  if (!target.file) {
    reason = ErrorNumberText(errno);
    close(fd);
    return SaveResult::kCannotCreate;
  }
  return SaveResult::kSaved;
}

// The name of the temporary file: short, so that it fits beside a file whose
// own name is as long as a name may be.
std::string TemporaryName(const std::string& path) {
  const size_t slash = path.rfind('/');
  return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + ".lexiforge-XXXXXX";
}

// The interruption handlers' copy of the temporary file's path (they may not
// allocate), and the actions they stand in for.
char g_protectedPath[PATH_MAX + 1];
volatile sig_atomic_t g_protecting = 0;
constexpr int kInterruptions[] = {SIGINT, SIGTERM, SIGHUP};
struct sigaction g_previous[3];
struct sigaction g_previousFileSize;

void RemoveTemporaryFileAndStop(int signal) {
  if (g_protecting) {
    unlink(g_protectedPath);
    static const char message[] = "lexiforge: interrupted; the file being saved was left as it was\n";
    [[maybe_unused]] const ssize_t written = write(STDERR_FILENO, message, sizeof message - 1);
  }
  ::signal(signal, SIG_DFL);
  raise(signal);
}

}  // namespace

SaveResult OpenWriteTarget(const char* path, WriteTarget& target, std::string& reason) {
  if (std::strcmp(path, "-") == 0) {
    target.file = stdout;
    target.path = path;
    target.closeFile = false;
    return SaveResult::kSaved;
  }
  target.path = path;
  if (!FollowLinks(target.path, reason)) return SaveResult::kCannotCreate;
  struct stat old;
  const bool exists = stat(target.path.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) {
    reason = ErrorNumberText(EISDIR);
    return SaveResult::kCannotReplace;
  }
  if (exists && !S_ISREG(old.st_mode)) return OpenDirectly(target, reason);
  // Root may write anything; a file nobody may write is still not to be
  // replaced behind its owner's back.
  if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) return SaveResult::kReadOnly;

  std::string name = TemporaryName(target.path);
  const int fd = mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) {
    reason = ErrorNumberText(errno);
    return SaveResult::kCannotCreate;
  }
  // mkstemp makes the file readable by its owner alone; the saved file keeps
  // the permissions, owner and group of the one it replaces (the owner and
  // group only where the system lets this process give them), or gets the
  // usual permissions.
  mode_t mode;
  if (exists) {
    mode = old.st_mode & 07777;
    [[maybe_unused]] const int kept = fchown(fd, old.st_uid, old.st_gid);
  } else {
    const mode_t mask = umask(0);
    umask(mask);
    mode = 0666 & ~mask;
  }
  fchmod(fd, mode);
  target.file = fdopen(fd, "wb");
  if (!target.file) {
    reason = ErrorNumberText(errno);
    close(fd);
    unlink(name.c_str());
    return SaveResult::kCannotCreate;
  }
  target.tempPath = name;
  return SaveResult::kSaved;
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

void RemoveTemporaryFile(const std::string& tempPath) { std::remove(tempPath.c_str()); }

void ProtectTemporaryFile(const std::string& tempPath) {
  if (tempPath.size() >= sizeof g_protectedPath) return;
  std::memcpy(g_protectedPath, tempPath.c_str(), tempPath.size() + 1);
  g_protecting = 1;
  struct sigaction action {};
  action.sa_handler = RemoveTemporaryFileAndStop;
  sigemptyset(&action.sa_mask);
  for (int i = 0; i < 3; ++i) sigaction(kInterruptions[i], &action, &g_previous[i]);
  struct sigaction ignore {};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  sigaction(SIGXFSZ, &ignore, &g_previousFileSize);
}

void UnprotectTemporaryFile() {
  if (!g_protecting) return;
  for (int i = 0; i < 3; ++i) sigaction(kInterruptions[i], &g_previous[i], nullptr);
  sigaction(SIGXFSZ, &g_previousFileSize, nullptr);
  g_protecting = 0;
}

std::string ErrorNumberText(int error) { return error ? std::strerror(error) : ""; }
