#pragma once
// A folder of its own for one test's files, removed with everything in it
// when the test ends. Portable: the files are plain bytes written through
// std::filesystem, so the tests run alike natively and under Wine.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // Writes `bytes` as the file `name` in the folder and returns its path in
  // the form the readers take.
  std::string Write(std::string_view name, std::string_view bytes) const;

  // The path of `name` in the folder, whether or not it exists.
  std::string PathOf(std::string_view name) const;

 private:
  std::filesystem::path folder_;
};

// The bytes of the file at `path`; empty when it cannot be read.
std::string FileBytes(const std::string& path);

// The names in `folder`, sorted: what a test left behind there.
std::vector<std::string> FileNamesIn(const std::string& folder);
