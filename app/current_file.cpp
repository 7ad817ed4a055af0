#include "app/current_file.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "convert/sjis_text.h"
#include "res/messages.h"
#include "res/resource_ids.h"

FileName CurrentFile;
FileName PoolFile;

namespace {

// The path, or "無題", and the program's name.
constexpr size_t kTitleSize = kFilePathSize + sizeof " - Corvane Lexiforge";

char g_commandLinePath[kFilePathSize];
char g_commandLineFullPath[kFilePathSize];

}  // namespace

void ShowCurrentFileInTitle(HWND main) {
  char title[kTitleSize];
  const std::string untitled = ProgramText(IDS_UNTITLED);
  const char* name = CurrentFile.path[0] != '\0' ? CurrentFile.path : untitled.c_str();
  std::snprintf(title, sizeof title, "%.*s - Corvane Lexiforge", static_cast<int>(strnlen(name, kFilePathSize)),
                name);
  SetWindowTextA(main, title);
}

void ForgetCurrentFile(HWND main) {
  CurrentFile.path[0] = '\0';
  CurrentFile.title[0] = '\0';
  ShowCurrentFileInTitle(main);
}

void MakeFileCurrent(HWND main, const FileName& file) {
  CurrentFile = file;
  ShowCurrentFileInTitle(main);
}

void MakeCommandLineFileCurrent(HWND main, std::string_view path) {
  CopySjisText(CurrentFile.path, path);
  CopySjisText(g_commandLinePath, path);
  const DWORD length =
      GetFullPathNameA(g_commandLinePath, sizeof g_commandLineFullPath, g_commandLineFullPath, nullptr);
  if (length == 0 || length >= sizeof g_commandLineFullPath) g_commandLineFullPath[0] = '\0';
  ShowCurrentFileInTitle(main);
}

const char* CurrentFileToSave() {
  const bool commandLineFile = std::strcmp(CurrentFile.path, g_commandLinePath) == 0 && g_commandLineFullPath[0];
  return commandLineFile ? g_commandLineFullPath : CurrentFile.path;
}
