#include "cli/cli_io.h"

#include <cerrno>
#include <cstring>

#include "files/text_word_list.h"

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

int ParseCommandOptions(int argc, char** argv, CommandOptions& options, const std::function<int(int& i)>& other) {
  int& i = options.first;
  for (i = 0; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::fputs(options.usage, stdout);
      return 0;
    }
    if (arg == "--version") return PrintVersion();
    const int encoding = ParseEncodingOption(argc, argv, i, options.encoding);
    if (encoding < 0) return UsageError(options, "--encoding takes utf-8 or sjis");
    if (encoding > 0) continue;
    if (options.readsWordLists && (arg == "--input-encoding" || arg.starts_with("--input-encoding="))) {
      std::string_view name;
      if (arg.starts_with("--input-encoding=")) {
        name = arg.substr(sizeof "--input-encoding=" - 1);
      } else if (i + 1 < argc) {
        name = argv[++i];
      }
      if (name == "utf-8" || name == "utf8" || name == "UTF-8") {
        SetTextWordListEncoding(TextEncoding::kUtf8);
      } else if (name == "sjis" || name == "shift-jis" || name == "cp932") {
        SetTextWordListEncoding(TextEncoding::kShiftJis);
      } else if (name == "auto") {
        SetTextWordListEncoding(TextEncoding::kAuto);
      } else {
        return UsageError(options, "--input-encoding takes utf-8, sjis or auto");
      }
      continue;
    }
    if (arg == "--") {
      ++i;
      break;
    }
    if (arg.size() < 2 || arg[0] != '-') break;
    const int taken = other ? other(i) : 0;
    if (taken < 0) return 2;
    if (taken == 0) {
      const std::string problem = "unknown option " + std::string(arg);
      return UsageError(options, problem.c_str());
    }
  }
  return -1;
}

int UsageError(const char* command, const char* problem) {
  std::fprintf(stderr, "lexiforge-cli %s: %s. Try 'lexiforge-cli %s --help'\n", command, problem, command);
  return 2;
}

int PrintVersion() {
  std::fputs("lexiforge-cli " LEXIFORGE_VERSION "\n", stdout);
  return 0;
}

void UseBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
#endif
}

namespace {

// The first error met writing standard output.
int g_outputError = 0;

}  // namespace

void StdoutBuffer::Flush() {
  if (!text_.empty() && std::fwrite(text_.data(), 1, text_.size(), stdout) != text_.size() && !g_outputError) {
    g_outputError = errno ? errno : EIO;
  }
  text_.clear();
}

bool FinishStandardOutput(const char* command) {
  errno = 0;
  if (std::fflush(stdout) != 0 && !g_outputError) g_outputError = errno ? errno : EIO;
  if (std::ferror(stdout) && !g_outputError) g_outputError = EIO;
  if (!g_outputError) return true;
  std::fprintf(stderr, "lexiforge-cli %s: cannot write the output: %s\n", command, std::strerror(g_outputError));
  return false;
}

bool ReadAllStandardInput(const char* command, std::string& text) {
  char block[1 << 16];
  size_t n;
  errno = 0;
  while ((n = std::fread(block, 1, sizeof block, stdin)) > 0) text.append(block, n);
  if (!std::ferror(stdin)) return true;
  std::fprintf(stderr, "lexiforge-cli %s: cannot read standard input: %s\n", command,
               std::strerror(errno ? errno : EIO));
  return false;
}
