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

// Collects output and writes it to stdout in large blocks. A failed write is
// remembered for FinishStandardOutput.
class StdoutBuffer {
 public:
  StdoutBuffer() { text_.reserve(kFlushSize * 2); }
  ~StdoutBuffer() { Flush(); }
  StdoutBuffer(const StdoutBuffer&) = delete;
  StdoutBuffer& operator=(const StdoutBuffer&) = delete;

  void Append(std::string_view s) {
    text_.append(s);
    if (text_.size() >= kFlushSize) Flush();
  }
  void Append(char c) { text_.push_back(c); }
  void Flush();

 private:
  static constexpr size_t kFlushSize = 1 << 16;
  std::string text_;
};

// Flushes standard output and says on stderr when anything written to it
// was lost (a full disk, a closed stream): false then.
bool FinishStandardOutput(const char* command);

// Reads all of standard input into `text`; false, having said why on
// stderr, when it cannot be read (a folder, a read error).
bool ReadAllStandardInput(const char* command, std::string& text);
