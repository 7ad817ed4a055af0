#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "convert/sjis_text.h"
#include "files/replacement_file.h"

namespace {

// The system's words for its last error, in the ANSI code page, without the
// line end it puts after them.
std::string LastErrorText() {
  const DWORD error = GetLastError();
  char* text = nullptr;
  const DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
  std::string reason = length > 0 && text ? std::string(text, length) : std::string();
  LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
  return reason;
}

}  // namespace

SaveResult OpenWriteTarget(const char* path, WriteTarget& target, std::string& reason) {
  target.path = path;
  if (std::strcmp(path, "-") == 0) {
    _setmode(_fileno(stdout), _O_BINARY);
    target.file = stdout;
    target.closeFile = false;
    return SaveResult::kSaved;
  }
  const DWORD attributes = GetFileAttributesA(path);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) &&
      !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return SaveResult::kReadOnly;
  }
  // The folder part of the path, "." for a bare file name. The path is
  // walked by characters: the trail byte of a double-byte character can be
  // 0x5C, the backslash.
  size_t folderEnd = 0;
  for (size_t i = 0; path[i];) {
    if (IsSjisLeadByte(static_cast<unsigned char>(path[i])) && path[i + 1]) {
      i += 2;
      continue;
    }
    if (path[i] == '\\' || path[i] == '/' || path[i] == ':') folderEnd = i + 1;
    ++i;
  }
  const std::string folder = folderEnd == 0 ? std::string(".") : std::string(path, folderEnd);
  char name[MAX_PATH + 16];
  if (folder.size() > MAX_PATH - 14) {
    reason = ErrorNumberText(ENAMETOOLONG);
    return SaveResult::kCannotCreate;
  }
  // Creates the file with a unique name, so it exists from here on.
  if (GetTempFileNameA(folder.c_str(), "lfx", 0, name) == 0) {
    reason = LastErrorText();
    return SaveResult::kCannotCreate;
  }
  target.file = std::fopen(name, "wb");
  if (!target.file) {
    reason = ErrorNumberText(errno);
    DeleteFileA(name);
    return SaveResult::kCannotCreate;
  }
  target.tempPath = name;
  return SaveResult::kSaved;
}

bool FlushFileToDisk(std::FILE* file, std::string& reason) {
  if (_commit(_fileno(file)) == 0) return true;
  reason = ErrorNumberText(errno);
  return false;
}

bool MoveFileOver(const char* tempPath, const char* path, std::string& reason) {
  if (MoveFileExA(tempPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  reason = LastErrorText();
  return false;
}

// A console program's Ctrl-C ends it without unwinding; the window program
// has no console. The temporary file's name starts with "lfx" and stays
// beside the file, where the next save makes a new one.
void ProtectTemporaryFile(const std::string&) {}
void UnprotectTemporaryFile() {}
