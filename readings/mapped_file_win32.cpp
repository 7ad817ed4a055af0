#include <windows.h>

#include "convert/sjis_text_win32.h"
#include "readings/mapped_file.h"

std::unique_ptr<MappedFile> MappedFile::Open(const std::string& utf8Path, std::uintmax_t limit) {
  std::wstring path;
  if (!WideFromUtf8(utf8Path, path)) return nullptr;
  const HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (handle == INVALID_HANDLE_VALUE) return nullptr;
  std::unique_ptr<MappedFile> file(new MappedFile);
  LARGE_INTEGER size{};
  bool mapped = GetFileType(handle) == FILE_TYPE_DISK && GetFileSizeEx(handle, &size) && size.QuadPart >= 0 &&
                static_cast<std::uintmax_t>(size.QuadPart) <= limit &&
                static_cast<std::uintmax_t>(size.QuadPart) <= SIZE_MAX;
  if (mapped && size.QuadPart > 0) {
    const HANDLE mapping = CreateFileMappingW(handle, nullptr, PAGE_READONLY, 0, 0, nullptr);
    mapped = mapping != nullptr;
    if (mapped) {
      const void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 0);
      CloseHandle(mapping);  // the view keeps it
      mapped = view != nullptr;
      if (mapped) {
        file->data_ = static_cast<const char*>(view);
        file->size_ = static_cast<size_t>(size.QuadPart);
      }
    }
  }
  CloseHandle(handle);
  return mapped ? std::move(file) : nullptr;
}

MappedFile::~MappedFile() {
  if (data_ != nullptr) UnmapViewOfFile(data_);
}
