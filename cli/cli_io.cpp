#include "cli/cli_io.h"

#include <algorithm>
#include <cerrno>
#include <cstdarg>
#include <cstring>

#include "files/text_word_list.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include "convert/sjis_text_win32.h"
#endif

namespace {

#ifdef _WIN32
// The console `stream` writes to, or nullptr when it writes elsewhere.
HANDLE ConsoleOf(std::FILE* stream) {
  const HANDLE handle = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(stream)));
  DWORD mode;
  return handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode) ? handle : nullptr;
}

bool WriteConsoleText(HANDLE console, std::string_view text) {
  std::wstring wide;
  if (!WideFromUtf8(text, wide)) wide = DisplayWideFromSjis(text);
  for (size_t done = 0; done < wide.size();) {
    DWORD written = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(wide.size() - done, 1 << 14));
    if (!WriteConsoleW(console, wide.data() + done, chunk, &written, nullptr) || written == 0) return false;
    done += written;
  }
  return true;
}

// The length of the start of `text` that ends with a whole UTF-8 character
// (or with bytes that are no UTF-8 at all): what may go to the console now.
size_t WholeUtf8Length(std::string_view text) {
  size_t back = 0;
  while (back < text.size() && back < 3 && (static_cast<unsigned char>(text[text.size() - 1 - back]) & 0xC0) == 0x80) {
    ++back;
  }
  if (back == text.size()) return text.size();
  const auto lead = static_cast<unsigned char>(text[text.size() - 1 - back]);
  const size_t needed = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
  return needed > back + 1 && lead >= 0xC0 ? text.size() - back - 1 : text.size();
}
#endif

}  // namespace

bool WriteText(std::FILE* stream, std::string_view text) {
#ifdef _WIN32
  if (HANDLE console = ConsoleOf(stream)) {
    std::fflush(stream);
    return WriteConsoleText(console, text);
  }
#endif
  return std::fwrite(text.data(), 1, text.size(), stream) == text.size();
}

namespace {

void AppendFormatted(std::string& text, const char* format, std::va_list arguments) {
  // Most lines fit a line's buffer and are formatted once; a longer one is
  // measured first.
  char line[512];
  std::va_list copy;
  va_copy(copy, arguments);
  const int length = std::vsnprintf(line, sizeof line, format, copy);
  va_end(copy);
  if (length <= 0) return;
  if (static_cast<size_t>(length) < sizeof line) {
    text.append(line, static_cast<size_t>(length));
    return;
  }
  const size_t start = text.size();
  text.resize(start + static_cast<size_t>(length) + 1);
  std::vsnprintf(text.data() + start, static_cast<size_t>(length) + 1, format, arguments);
  text.resize(start + static_cast<size_t>(length));
}

}  // namespace

void PrintError(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  std::string text;
  AppendFormatted(text, format, arguments);
  va_end(arguments);
  WriteText(stderr, text);
}

void ErrorLines::Print(const char* format, ...) {
  std::va_list arguments;
  va_start(arguments, format);
  AppendFormatted(text_, format, arguments);
  va_end(arguments);
  if (text_.size() >= kFlushSize) Flush();
}

void ErrorLines::Add(std::string_view lines) {
  text_.append(lines);
  if (text_.size() >= kFlushSize) Flush();
}

void ErrorLines::Flush() {
  if (!text_.empty()) WriteText(stderr, text_);
  text_.clear();
}

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
      WriteText(stdout, options.usage);
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
  PrintError("lexiforge-cli %s: %s. Try 'lexiforge-cli %s --help'\n", command, problem, command);
  return 2;
}

int PrintVersion() {
  WriteText(stdout, "lexiforge-cli " LEXIFORGE_VERSION "\n");
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

// On a console a block must not end inside a character: its last bytes wait
// for the next block, or for the end.
void StdoutBuffer::Flush(bool end) {
  if (text_.empty()) return;
  std::string_view now = text_;
#ifdef _WIN32
  if (!end && ConsoleOf(stdout)) now = now.substr(0, WholeUtf8Length(now));
#else
  (void)end;
#endif
  if (!now.empty() && !WriteText(stdout, now) && !g_outputError) g_outputError = errno ? errno : EIO;
  held_.assign(text_, now.size());
  text_.swap(held_);
  held_.clear();
}

bool FinishStandardOutput(const char* command) {
  errno = 0;
  if (std::fflush(stdout) != 0 && !g_outputError) g_outputError = errno ? errno : EIO;
  if (std::ferror(stdout) && !g_outputError) g_outputError = EIO;
  if (!g_outputError) return true;
  PrintError("lexiforge-cli %s: cannot write the output: %s\n", command, std::strerror(g_outputError));
  return false;
}

bool ReadAllStandardInput(const char* command, std::string& text) {
  char block[1 << 16];
  size_t n;
  errno = 0;
  while ((n = std::fread(block, 1, sizeof block, stdin)) > 0) text.append(block, n);
  if (!std::ferror(stdin)) return true;
  PrintError("lexiforge-cli %s: cannot read standard input: %s\n", command,
               std::strerror(errno ? errno : EIO));
  return false;
}
