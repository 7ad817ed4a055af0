#include "import/open_file_dialog.h"

#include <commdlg.h>

#include "import/grammar_file.h"
#include "import/pool_file.h"
#include "import/text_word_list.h"
#include "wordlist/word_list_view.h"

char CurrentFilePath[kFilePathSize];
char CurrentFileTitle[kFileTitleSize];
char PoolFilePath[kFilePathSize];
char PoolFileTitle[kFileTitleSize];

namespace {

constexpr DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
static_assert(kOpenFlags == 0x1004);

// Shows the open-file dialog. True when the user chose a file; its path and
// name are then in the buffers.
bool ChooseFile(HWND owner, const char* filter, const char* defaultExtension, char (&path)[kFilePathSize],
                char (&title)[kFileTitleSize]) {
  OPENFILENAMEA request = FileDialogRequest(owner, filter, defaultExtension, path, title);
  request.lpstrTitle = "開く";
  request.Flags = kOpenFlags;
  return GetOpenFileNameA(&request) != 0;
}

// The file is read with the list's painting suspended: a visible list that
// repaints after each row takes minutes over a large file.
template <typename Load>
int ChooseAndLoad(HWND owner, WordList list, const char* filter, const char* defaultExtension,
                  char (&path)[kFilePathSize], char (&title)[kFileTitleSize], Load load) {
  if (!ChooseFile(owner, filter, defaultExtension, path, title)) return -1;
  const bool loaded = WithRedrawSuspended(ListWindow(list), [&] { return load(path); });
  return loaded ? 1 : 0;
}

}  // namespace

OPENFILENAMEA FileDialogRequest(HWND owner, const char* filter, const char* defaultExtension,
                                char (&path)[kFilePathSize], char (&title)[kFileTitleSize]) {
  OPENFILENAMEA request{};
  // The layout without the Windows 2000 members, at this platform's size of
  // it: a 64-bit program that gives the 32-bit program's 76 bytes is refused
  // every time.
  request.lStructSize = OPENFILENAME_SIZE_VERSION_400A;
  request.hwndOwner = owner;
  request.lpstrFilter = filter;
  request.lpstrFile = path;
  request.nMaxFile = sizeof path;
  request.lpstrFileTitle = title;
  request.nMaxFileTitle = sizeof title;
  request.lpstrDefExt = defaultExtension;
  // A path that lacks its NUL would be read past the buffer by the dialog.
  path[kFilePathSize - 1] = '\0';
  title[kFileTitleSize - 1] = '\0';
  return request;
}

int OpenTextWordListDialog(HWND owner, WordList list, bool append) {
  return ChooseAndLoad(owner, list, kTextWordListFilter, "txt", CurrentFilePath, CurrentFileTitle,
                       [&](const char* path) { return LoadTextWordList(list, path, append); });
}

int OpenGrammarFileDialog(HWND owner, WordList list) {
  return ChooseAndLoad(owner, list, "fsg(*.fsg)\0*.fsg\0All files(*.*)\0*.*\0", "fsg", CurrentFilePath,
                       CurrentFileTitle, [&](const char* path) { return LoadGrammarWords(list, path); });
}

int OpenPoolFileDialog(HWND owner, WordList list) {
  return ChooseAndLoad(owner, list, kPoolFileFilter, "ppl", PoolFilePath, PoolFileTitle,
                       [&](const char* path) { return LoadPoolFile(list, path) != 0; });
}
