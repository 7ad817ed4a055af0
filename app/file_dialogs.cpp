#include "app/file_dialogs.h"

#include <commdlg.h>

#include <cstring>
#include <string>

#include "convert/sjis_text.h"
#include "convert/sjis_text_win32.h"
#include "res/messages.h"
#include "res/resource_ids.h"

namespace {

constexpr DWORD kOpenFlags = OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
static_assert(kOpenFlags == 0x1004);
// A folder that does not exist is refused by the dialog itself, which says
// so and stays open, rather than by a failed write afterwards.
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;

// Text of code page 932 (`size` bytes, NULs and all) in UTF-16.
std::wstring Widened(const char* text, size_t size) { return DisplayWideFromSjis(std::string_view(text, size)); }

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
  std::string narrow;
  if (!SjisFromWide(wide, narrow) || narrow.size() >= N) return false;
  narrow.copy(out, N - 1);
  out[narrow.size()] = '\0';
  return true;
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
    std::memcpy(chosen.fullPath, chosen.path, sizeof chosen.path);  // the dialogs give full paths
    file = chosen;
    return true;
  }
};

}  // namespace

bool ChooseFileToRead(HWND owner, WordFileFormat format, FileName& file) {
  FileDialog dialog(owner, format, file, IDS_OPEN_TITLE, kOpenFlags);
  return GetOpenFileNameW(&dialog.request) && dialog.Chosen(owner, file);
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
