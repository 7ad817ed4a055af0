#pragma once
// Pieces every subcommand of lexiforge-cli shares: the --encoding option,
// binary standard streams, and a buffered standard output.

#include <cstdio>
#include <string>
#include <string_view>

enum class Encoding { kUtf8, kSjis };

// Recognises "--encoding NAME" (taking the next argument) and
// "--encoding=NAME" at argv[i]. Returns 1 when argv[i] was the option (i is
// then moved past it), 0 when it is something else, -1 for a missing or
// unknown name.
int ParseEncodingOption(int argc, char** argv, int& i, Encoding& encoding);

// Standard input and output carry bytes as they are: on Windows no CR LF
// translation and no Ctrl-Z end of input.
void UseBinaryStandardStreams();

// Collects output and writes it to stdout in large blocks.
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
  void Flush() {
    if (!text_.empty()) std::fwrite(text_.data(), 1, text_.size(), stdout);
    text_.clear();
  }

 private:
  static constexpr size_t kFlushSize = 1 << 16;
  std::string text_;
};

// Reads all of standard input.
std::string ReadAllStandardInput();
