#include "app/current_file.h"

#include <algorithm>
#include <cstring>

#include "convert/sjis_text_win32.h"
#include "res/messages.h"
#include "res/resource_ids.h"

FileName CurrentFile;
FileName PoolFile;

namespace {

std::string_view TextOf(const char* buffer, size_t size) { return {buffer, strnlen(buffer, size)}; }

}  // namespace

void ShowCurrentFileInTitle(HWND main) {
  const std::string name =
      CurrentFile.path[0] != '\0' ? std::string(TextOf(CurrentFile.path, kFilePathSize)) : ProgramText(IDS_UNTITLED);
  SetWindowTextW(main, ScreenText(ProgramMessage(IDS_TITLE, {name})).c_str());
}

void ForgetCurrentFile(HWND main) { MakeFileCurrent(main, FileName{}); }

void MakeFileCurrent(HWND main, const FileName& file) {
  CurrentFile = file;
  ShowCurrentFileInTitle(main);
}

// The full path is asked for in UTF-16, so that the system reads the code
// page 932 path as such whatever its ANSI code page.
bool CommandLineFileName(std::string_view path, FileName& file) {
  file = {};
  if (path.size() >= kFilePathSize) return false;
  path.copy(file.path, path.size());
  std::wstring wide, full(kFilePathSize, L'\0');
  std::string fullPath;
  if (!WideFromSjis(path, wide)) return true;
  const DWORD length = GetFullPathNameW(wide.c_str(), kFilePathSize, full.data(), nullptr);
  if (length == 0 || length >= kFilePathSize) return true;
  full.resize(length);
  if (SjisFromWide(full, fullPath) && fullPath.size() < kFilePathSize) fullPath.copy(file.fullPath, fullPath.size());
  return true;
}

const char* CurrentFileToSave() { return CurrentFile.fullPath[0] != '\0' ? CurrentFile.fullPath : CurrentFile.path; }

// The three texts, each ended by a NUL.
std::string CurrentFileContext() {
  std::string context;
  for (std::string_view text : {TextOf(CurrentFile.path, kFilePathSize), TextOf(CurrentFile.title, kFileTitleSize),
                                TextOf(CurrentFile.fullPath, kFilePathSize)}) {
    context.append(text).push_back('\0');
  }
  return context;
}

void RestoreCurrentFile(HWND main, std::string_view context) {
  FileName file{};
  char* fields[] = {file.path, file.title, file.fullPath};
  const size_t sizes[] = {kFilePathSize, kFileTitleSize, kFilePathSize};
  for (int i = 0; i < 3; ++i) {
    const size_t end = context.find('\0');
    if (end == std::string_view::npos) return;
    std::memcpy(fields[i], context.data(), std::min(end, sizes[i] - 1));
    context.remove_prefix(end + 1);
  }
  MakeFileCurrent(main, file);
}
