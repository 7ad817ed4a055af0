#include "app/file_dialogs.h"

#include <commdlg.h>

#include <string>

#include "files/grammar_file.h"
#include "files/pool_file.h"
#include "files/text_word_list.h"
#include "res/messages.h"
#include "res/resource_ids.h"
#include "wordlist/word_list_view.h"

namespace {

constexpr DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
static_assert(kOpenFlags == 0x1004);
// A folder that does not exist is refused by the dialog itself, which says
// so and stays open, rather than by a failed write afterwards.
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;

// The request the open and the save dialogs fill alike, for a file of
// `format` in `file`.
OPENFILENAMEA FileDialogRequest(HWND owner, WordFileFormat format, FileName& file) {
  const FileFormat& kind = FileFormatOf(format);
  OPENFILENAMEA request{};
  // The layout without the Windows 2000 members, at this platform's size of
  // it: a 64-bit program that gives the 32-bit program's 76 bytes is refused
  // every time.
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  request.hwndOwner = owner;
  request.lpstrFilter = kind.filter;
  request.lpstrFile = file.path;
  request.nMaxFile = sizeof file.path;
  request.lpstrFileTitle = file.title;
  request.nMaxFileTitle = sizeof file.title;
  request.lpstrDefExt = kind.extension;
  // A path that lacks its NUL would be read past the buffer by the dialog.
  file.path[kFilePathSize - 1] = '\0';
  file.title[kFileTitleSize - 1] = '\0';
  return request;
}

// Shows the open-file dialog; then the file is read with the list's
// painting suspended.
template <typename Load>
int ChooseAndLoad(HWND owner, WordFileFormat format, FileName& file, Load load) {
  OPENFILENAMEA request = FileDialogRequest(owner, format, file);
  const std::string title = ProgramText(IDS_OPEN_TITLE);
  request.lpstrTitle = title.c_str();
  request.Flags = kOpenFlags;
  if (!GetOpenFileNameA(&request)) return -1;
  const bool loaded = WithRedrawSuspended(GetDlgItem(owner, IDC_WORD_LIST), [&] { return load(file.path); });
  return loaded ? 1 : 0;
}

}  // namespace

int OpenTextWordListDialog(HWND owner, WordList list, bool append) {
  return ChooseAndLoad(owner, WordFileFormat::kTextWordList, CurrentFile,
                       [&](const char* path) { return LoadTextWordList(list, path, append); });
}

int OpenGrammarFileDialog(HWND owner, WordList list) {
  return ChooseAndLoad(owner, WordFileFormat::kGrammarFile, CurrentFile,
                       [&](const char* path) { return LoadGrammarWords(list, path); });
}

int OpenPoolFileDialog(HWND owner, WordList list) {
  return ChooseAndLoad(owner, WordFileFormat::kPoolFile, PoolFile,
                       [&](const char* path) { return LoadPoolFile(list, path) != 0; });
}

bool ChooseFileToWrite(HWND owner, WordFileFormat format, FileName& file) {
  FileName chosen = file;
  OPENFILENAMEA request = FileDialogRequest(owner, format, chosen);
  const std::string title = ProgramText(format == WordFileFormat::kPoolFile ? IDS_BUILD_POOL_TITLE : IDS_SAVE_AS_TITLE);
  request.lpstrTitle = title.c_str();
  request.Flags = kSaveFlags;
  if (!GetSaveFileNameA(&request)) return false;
  file = chosen;
  return true;
}
