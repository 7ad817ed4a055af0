#include "cli/input_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "cli/text_encoding.h"
#include "files/file_formats.h"
#include "files/input_file.h"
#include "files/pool_file.h"

namespace {

// Why a file the list could not take was not read, found by looking at it
// again.
std::string WhyNotRead(const char* path) {
  errno = 0;
  const InputFile file = OpenInputFile(path);
  if (!file) {
    const int error = errno;
    return error ? std::string("cannot be opened: ") + std::strerror(error) : "cannot be opened";
  }
  if (FormatOfDroppedFile(path).format == WordFileFormat::kPoolFile && !HasPoolHeader(file.get())) {
    return "not a pool file: its first 10 bytes differ from the pool file header";
  }
  return "too large to read into memory";
}

}  // namespace

bool ReadInputFiles(const char* command, int argc, char** argv, int first, Encoding encoding, WordList list) {
  // Paths go to the file functions as given (on Windows in the ANSI code
  // page, as the program's own file functions take them); the messages name
  // them in the output's encoding.
  const std::vector<std::string> names = Utf8Arguments(argc, argv);
  bool allRead = true;
  for (int i = first; i < argc; ++i) {
    if (!LoadDroppedFile(list, argv[i])) {
      const char* name = encoding == Encoding::kUtf8 ? names[static_cast<size_t>(i)].c_str() : argv[i];
      std::fprintf(stderr, "lexiforge-cli %s: %s: %s\n", command, name, WhyNotRead(argv[i]).c_str());
      allRead = false;
    }
  }
  return allRead;
}
