#pragma once
// Pieces every subcommand of lexiforge-cli shares: the --encoding option,
// binary standard streams, and a buffered standard output.

#include <cstdio>
#include <functional>
#include <string>
#include <string_view>

enum class Encoding { kUtf8, kSjis };

// Recognises "--encoding NAME" (taking the next argument) and
// "--encoding=NAME" at argv[i]. Returns 1 when argv[i] was the option (i is
// then moved past it), 0 when it is something else, -1 for a missing or
// unknown name.
int ParseEncodingOption(int argc, char** argv, int& i, Encoding& encoding);

// Reads a command's options, which come before its operands: --help prints
// `usage` to standard output, --version the program's version, --encoding
// sets `encoding`, --input-encoding (for a command that reads word lists)
// sets how text word lists are read, "--" ends the options. Every other
// option goes to `other` first (when given), which returns 1 when it took the
// option (moving i past any value it takes), 0 when it does not know it, and
// -1, having said why on stderr in one line (UsageError), for a bad value.
// Sets `first` to the first operand. Returns -1 when the command is to go on,
// otherwise its exit status: 0 after --help or --version, 2 for a usage
// error.
struct CommandOptions {
  const char* command;
  const char* usage;
  Encoding encoding = Encoding::kUtf8;
  int first = 0;
  bool readsWordLists = false;  // takes --input-encoding
};
int ParseCommandOptions(int argc, char** argv, CommandOptions& options,
                        const std::function<int(int& i)>& other = nullptr);

// Says in one line what is wrong with the command line and where help is
// ("Try 'lexiforge-cli COMMAND --help'"); returns 2.
int UsageError(const char* command, const char* problem);
inline int UsageError(const CommandOptions& options, const char* problem) {
  return UsageError(options.command, problem);
}

// Prints the program's name and version to standard output; returns 0.
int PrintVersion();

// Standard input and output carry bytes as they are: on Windows no CR LF
// translation and no Ctrl-Z end of input.
void UseBinaryStandardStreams();

// Writes `text` to `stream` (standard output or standard error). On a
// Windows console it goes in UTF-16, whatever the console's code page: the
// text is read as UTF-8, or, where it is not UTF-8, as code page 932.
// Anywhere else (a file, a pipe, any other system) its bytes go as they are.
// False when the write failed.
bool WriteText(std::FILE* stream, std::string_view text);

// A message on standard error, formatted as printf formats, through
// WriteText.
void PrintError(const char* format, ...);

// Messages of many lines (one per row a command leaves out), gathered and
// written to standard error as PrintError writes them, but in large blocks:
// a write per line costs more than the line. Each block ends with a whole
// line. Flush before anything else goes to standard error.
class ErrorLines {
 public:
  ErrorLines() = default;
  ~ErrorLines() { Flush(); }
  ErrorLines(const ErrorLines&) = delete;
  ErrorLines& operator=(const ErrorLines&) = delete;

  // One or more whole lines, formatted as printf formats.
  void Print(const char* format, ...);
  // One or more whole lines as they are.
  void Add(std::string_view lines);
  void Flush();

 private:
  static constexpr size_t kFlushSize = 1 << 16;
  std::string text_;
};

// Collects output and writes it to stdout in large blocks. A failed write is
// remembered for FinishStandardOutput.
class StdoutBuffer {
 public:
  StdoutBuffer() { text_.reserve(kFlushSize * 2); }
  ~StdoutBuffer() { Flush(true); }
  StdoutBuffer(const StdoutBuffer&) = delete;
  StdoutBuffer& operator=(const StdoutBuffer&) = delete;

  void Append(std::string_view s) {
    text_.append(s);
    if (text_.size() >= kFlushSize) Flush();
  }
  void Append(char c) { text_.push_back(c); }
  // What was collected so far, to append to in place; FlushWhenFull after.
  std::string& text() { return text_; }
  void FlushWhenFull() {
    if (text_.size() >= kFlushSize) Flush();
  }
  // Writes what was collected (on a console, all but the start of a
  // character the next block ends, unless `end`).
  void Flush(bool end = false);

 private:
  static constexpr size_t kFlushSize = 1 << 16;
  std::string text_;
  std::string held_;  // on a console: the start of a character the next block ends
};

// Flushes standard output and says on stderr when anything written to it
// was lost (a full disk, a closed stream): false then.
bool FinishStandardOutput(const char* command);

// Reads all of standard input into `text`; false, having said why on
// stderr, when it cannot be read (a folder, a read error).
bool ReadAllStandardInput(const char* command, std::string& text);
