#include <io.h>
#include <windows.h>

#include <cstdio>
#include <string>

#include "convert/sjis_text.h"
#include "files/replacement_file.h"

std::FILE* CreateFileBeside(const char* path, std::string& tempPath) {
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
  if (folder.size() > MAX_PATH - 14) return nullptr;
  // Creates the file with a unique name, so it exists from here on.
  if (GetTempFileNameA(folder.c_str(), "lfx", 0, name) == 0) return nullptr;
  std::FILE* file = std::fopen(name, "wb");
  if (!file) {
    DeleteFileA(name);
    return nullptr;
  }
  tempPath = name;
  return file;
}

bool FlushFileToDisk(std::FILE* file) { return _commit(_fileno(file)) == 0; }

bool MoveFileOver(const char* tempPath, const char* path) {
  return MoveFileExA(tempPath, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}
