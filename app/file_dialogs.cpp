#include "app/file_dialogs.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "files/grammar_file.h"
#include "files/pool_file.h"
#include "files/text_word_list.h"
#include "res/messages.h"
#include "res/resource_ids.h"
#include "app/word_list_view.h"
#include "convert/sjis_text.h"

namespace {

constexpr DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
static_assert(kOpenFlags == 0x1004);
// A folder that does not exist is refused by the dialog itself, which says
// so and stays open, rather than by a failed write afterwards.
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;

constexpr UINT kShiftJis = kShiftJisCodePage;

// Text of code page 932 (`size` bytes, NULs and all) in UTF-16.
std::wstring Widened(const char* text, size_t size) {
  std::wstring wide(size, L'\0');
  const int n = size ? MultiByteToWideChar(kShiftJis, 0, text, static_cast<int>(size), wide.data(), static_cast<int>(size)) : 0;
  wide.resize(n > 0 ? static_cast<size_t>(n) : 0);
  return wide;
}

// A filter's pairs of texts with their NULs and the final extra NUL.
size_t FilterSize(const char* filter) {
  size_t size = 0;
  while (filter[size] != '\0' || filter[size + 1] != '\0') ++size;
  return size + 2;
}

// The name in code page 932 when every character of it has exactly one
// there; false for a name the code page would hold only as another name
// ("café" as "cafe", "x¥y" as "x\y").
template <size_t N>
bool Narrowed(const wchar_t* wide, char (&out)[N]) {
  BOOL usedDefault = FALSE;
  const int n = WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, wide, -1, out, static_cast<int>(N), nullptr,
                                    &usedDefault);
  return n > 0 && !usedDefault;
}

// The dialogs run in UTF-16, so that a name the code page cannot hold comes
// back as it is and can be refused, instead of as the name of another file.
struct FileDialog {
  OPENFILENAMEW request{};
  wchar_t path[kFilePathSize] = {};
  wchar_t title[kFileTitleSize] = {};
  std::wstring filter;
  std::wstring extension;
  std::wstring caption;

  // For a file of `format`, proposing the path `file` holds.
  FileDialog(HWND owner, WordFileFormat format, const FileName& file, UINT captionId, DWORD flags) {
    const FileFormat& kind = FileFormatOf(format);
    filter = Widened(kind.filter, FilterSize(kind.filter));
    extension = Widened(kind.extension, std::char_traits<char>::length(kind.extension) + 1);
    const std::string captionText = ProgramText(captionId);
    caption = Widened(captionText.c_str(), captionText.size() + 1);
    const std::wstring proposed = Widened(file.path, strnlen(file.path, kFilePathSize - 1));
    proposed.copy(path, kFilePathSize - 1);
    // The layout without the Windows 2000 members, at this platform's size
    // of it: a 64-bit program that gives the 32-bit program's 76 bytes is
    // refused every time.
    request.lStructSize = OPENFILENAME_SIZE_VERSION_400W;
    request.hwndOwner = owner;
    request.lpstrFilter = filter.c_str();
    request.lpstrFile = path;
    request.nMaxFile = kFilePathSize;
    request.lpstrFileTitle = title;
    request.nMaxFileTitle = kFileTitleSize;
    request.lpstrDefExt = extension.c_str();
    request.lpstrTitle = caption.c_str();
    request.Flags = flags;
  }

  // The chosen file into `file`; false, with the message said and `file` as
  // it was, for a name the code page cannot hold.
  bool Chosen(HWND owner, FileName& file) const {
    FileName chosen{};
    if (!Narrowed(path, chosen.path) || !Narrowed(title, chosen.title)) {
      ShowProgramMessage(owner, IDS_NAME_NOT_IN_CODE_PAGE, MB_ICONERROR);
      return false;
    }
    file = chosen;
    return true;
  }
};

// Shows the open-file dialog; then the file is read with the list's
// painting suspended. The chosen file goes into `file` whether or not it
// can be read.
template <typename Load>
int ChooseAndLoad(HWND owner, WordFileFormat format, FileName& file, Load load) {
  FileDialog dialog(owner, format, file, IDS_OPEN_TITLE, kOpenFlags);
  if (!GetOpenFileNameW(&dialog.request) || !dialog.Chosen(owner, file)) return -1;
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
  FileDialog dialog(owner, format, file, format == WordFileFormat::kPoolFile ? IDS_BUILD_POOL_TITLE : IDS_SAVE_AS_TITLE,
                    kSaveFlags);
  return GetSaveFileNameW(&dialog.request) && dialog.Chosen(owner, file);
}

bool ChooseFileToSaveAs(HWND owner, FileName& file, WordFileFormat& format) {
  FileDialog dialog(owner, WordFileFormat::kTextWordList, file, IDS_SAVE_AS_TITLE, kSaveFlags);
  // The Julius dictionary's type goes second, after the text word list's
  // name and pattern; the dialog adds the chosen type's extension.
  const std::string julius = ProgramText(IDS_JULIUS_FILE_TYPE) + '\0' + "*." +
                             FileFormatOf(WordFileFormat::kJuliusDictionary).extension + '\0';
  const size_t textType = dialog.filter.find(L'\0', dialog.filter.find(L'\0') + 1) + 1;
  dialog.filter.insert(textType, Widened(julius.data(), julius.size()));
  dialog.request.lpstrFilter = dialog.filter.c_str();
  if (!GetSaveFileNameW(&dialog.request) || !dialog.Chosen(owner, file)) return false;
  format = dialog.request.nFilterIndex == 2 ? WordFileFormat::kJuliusDictionary : WordFileFormat::kTextWordList;
  return true;
}
