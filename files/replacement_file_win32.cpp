#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "convert/sjis_text.h"
#include "convert/sjis_text_win32.h"
#include "files/replacement_file.h"

namespace {

// The system's words for its error `error`, in code page 932, without the
// line end it puts after them.
std::string SystemErrorText(DWORD error) {
  wchar_t* text = nullptr;
  const DWORD length =
      FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                     nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  std::string reason = length > 0 && text ? TypedSjisFromWide(std::wstring_view(text, length)) : std::string();
  LocalFree(text);
  while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) reason.pop_back();
  return reason;
}

std::string LastErrorText() { return SystemErrorText(GetLastError()); }

}  // namespace

SaveResult OpenWriteTarget(const char* path, WriteTarget& target, std::string& reason) {
  target.path = path;
  if (std::strcmp(path, "-") == 0) {
    _setmode(_fileno(stdout), _O_BINARY);
    target.file = stdout;
    target.closeFile = false;
    return SaveResult::kSaved;
  }
  // Paths are code page 932, whatever the system's ANSI code page.
  std::wstring widePath;
  if (!WideFromSjis(path, widePath)) {
    reason = ErrorNumberText(ENOENT);
    return SaveResult::kCannotCreate;
  }
  const DWORD attributes = GetFileAttributesW(widePath.c_str());
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
  std::wstring wideFolder;
  wchar_t name[MAX_PATH + 16];
  if (folder.size() > MAX_PATH - 14 || !WideFromSjis(folder, wideFolder)) {
    reason = ErrorNumberText(ENAMETOOLONG);
    return SaveResult::kCannotCreate;
  }
  // Creates the file with a unique name, so it exists from here on. The
  // name is made of the folder, "lfx" and hexadecimal digits: it converts
  // back into code page 932.
  std::string sjisName;
  if (GetTempFileNameW(wideFolder.c_str(), L"lfx", 0, name) == 0) {
    reason = LastErrorText();
    return SaveResult::kCannotCreate;
  }
  target.file = SjisFromWide(name, sjisName) ? _wfopen(name, L"wb") : nullptr;
  if (!target.file) {
    reason = ErrorNumberText(errno ? errno : ENOENT);
    DeleteFileW(name);
    return SaveResult::kCannotCreate;
  }
  target.tempPath = sjisName;
  return SaveResult::kSaved;
}

bool FlushFileToDisk(std::FILE* file, std::string& reason) {
  if (_commit(_fileno(file)) == 0) return true;
  reason = ErrorNumberText(errno);
  return false;
}

bool MoveFileOver(const char* tempPath, const char* path, std::string& reason) {
  std::wstring wideTemp, widePath;
  if (WideFromSjis(tempPath, wideTemp) && WideFromSjis(path, widePath) &&
      MoveFileExW(wideTemp.c_str(), widePath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  reason = LastErrorText();
  return false;
}

void RemoveTemporaryFile(const std::string& tempPath) {
  std::wstring wide;
  if (WideFromSjis(tempPath, wide)) DeleteFileW(wide.c_str());
}

// A console program's Ctrl-C ends it without unwinding; the window program
// has no console. The temporary file's name starts with "lfx" and stays
// beside the file, where the next save makes a new one.
void ProtectTemporaryFile(const std::string&) {}
void UnprotectTemporaryFile() {}

// The C library's own words are English whatever the system's language, so
// the error numbers a save meets are told in the system's words for the
// matching system error; any other in the C library's.
std::string ErrorNumberText(int error) {
  DWORD system = 0;
  switch (error) {
    case 0: return "";
    case ENOSPC: system = ERROR_DISK_FULL; break;
    case EACCES: system = ERROR_ACCESS_DENIED; break;
    case ENOENT: system = ERROR_PATH_NOT_FOUND; break;
    case ENAMETOOLONG: system = ERROR_FILENAME_EXCED_RANGE; break;
    case EROFS: system = ERROR_WRITE_PROTECT; break;
    case EIO: system = ERROR_WRITE_FAULT; break;
    case EFBIG: system = ERROR_FILE_TOO_LARGE; break;
    default: break;
  }
  const std::string text = system ? SystemErrorText(system) : std::string();
  return text.empty() ? std::strerror(error) : text;
}
