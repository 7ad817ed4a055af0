#include "cli/cli_io.h"

#include <cstring>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

int ParseEncodingOption(int argc, char** argv, int& i, Encoding& encoding) {
  std::string_view arg = argv[i];
  std::string_view name;
  constexpr std::string_view kOption = "--encoding";
  if (arg == kOption) {
    if (i + 1 >= argc) return -1;
    name = argv[++i];
  } else if (arg.starts_with("--encoding=")) {
    name = arg.substr(kOption.size() + 1);
  } else {
    return 0;
  }
  if (name == "utf-8" || name == "utf8" || name == "UTF-8") {
    encoding = Encoding::kUtf8;
  } else if (name == "sjis" || name == "shift-jis" || name == "cp932") {
    encoding = Encoding::kSjis;
  } else {
    return -1;
  }
  return 1;
}

void UseBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

std::string ReadAllStandardInput() {
  std::string text;
  char block[1 << 16];
  size_t n;
  while ((n = std::fread(block, 1, sizeof block, stdin)) > 0) text.append(block, n);
  return text;
}
