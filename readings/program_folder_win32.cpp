#include <windows.h>

#include <vector>

#include "convert/sjis_text_win32.h"
#include "readings/program_folder.h"

std::string ProgramFolder() {
  std::vector<wchar_t> path(MAX_PATH);
  for (;;) {
    const DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n == 0) return {};
    if (n < path.size()) {
      std::wstring folder(path.data(), n);
      const size_t slash = folder.find_last_of(L"\\/");
      if (slash == std::wstring::npos) return {};
      folder.resize(slash);
      std::string utf8;
      return Utf8FromWide(folder, utf8) ? utf8 : std::string();
    }
    if (path.size() >= 32768) return {};
    path.resize(path.size() * 2);
  }
}
