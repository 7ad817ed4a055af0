#include "import/save_file_dialog.h"

#include <commdlg.h>

namespace {

// A folder that does not exist is refused by the dialog itself, which says
// so and stays open, rather than by a failed write afterwards.
constexpr DWORD kSaveFlags = OFN_OVERWRITEPROMPT | OFN_HIDEREADONLY | OFN_PATHMUSTEXIST;

}  // namespace

bool ChooseFileToWrite(HWND owner, WordFileFormat format, char (&path)[kFilePathSize],
                       char (&title)[kFileTitleSize]) {
  const bool pool = format == WordFileFormat::kPoolFile;
  OPENFILENAMEA request =
      FileDialogRequest(owner, pool ? kPoolFileFilter : kTextWordListFilter, pool ? "ppl" : "txt", path, title);
  request.lpstrTitle = pool ? "プール作成" : "名前を付けて保存";
  request.Flags = kSaveFlags;
  return GetSaveFileNameA(&request) != 0;
}
