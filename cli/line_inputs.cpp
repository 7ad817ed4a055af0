#include "cli/line_inputs.h"

#include <cstdio>
#include <vector>

#include "cli/text_encoding.h"
#include "convert/sjis_text.h"

namespace {

struct InputReader {
  const char* command;
  Encoding encoding;
  StdoutBuffer& out;
  bool& allValid;
  const std::function<void(std::string_view, const std::string&)>& take;
  const std::function<void(std::string_view)>& invalid;
  std::string sjis;

  // An input is line `number` of standard input, or else argument `number`
  // (the words counted from 1).
  void Read(std::string_view input, long number, bool fromLine) {
    const char* problem = nullptr;
    if (input.find('\0') != std::string_view::npos) {
      problem = "holds a NUL byte";
    } else if (encoding == Encoding::kUtf8) {
      if (!ConvertUtf8ToSjis(input, sjis)) problem = "is not valid UTF-8 or has characters Shift-JIS cannot hold";
    } else {
      sjis.assign(input);
    }
    if (!problem) {
      take(input, sjis);
      return;
    }
    out.Flush();
    std::fprintf(stderr, "lexiforge-cli %s: %s %ld %s\n", command, fromLine ? "line" : "argument", number, problem);
    allValid = false;
    if (invalid) invalid(input);
  }
};

}  // namespace

bool ForEachInput(const char* command, int argc, char** argv, int first, Encoding encoding, StdoutBuffer& out,
                  bool& allValid, const std::function<void(std::string_view input, const std::string& sjis)>& take,
                  const std::function<void(std::string_view input)>& invalid) {
  InputReader reader{command, encoding, out, allValid, take, invalid, {}};
  if (first < argc) {
    const std::vector<std::string> utf8 = Utf8Arguments(argc, argv);
    for (int i = first; i < argc; ++i) {
      reader.Read(encoding == Encoding::kUtf8 ? utf8[static_cast<size_t>(i)] : argv[i], i - first + 1, false);
    }
    return true;
  }
  std::string input;
  if (!ReadAllStandardInput(command, input)) return false;
  std::string_view rest = input;
  // Editors put a byte order mark before UTF-8 text; it is no part of the
  // first line.
  if (encoding == Encoding::kUtf8 && rest.starts_with(kUtf8ByteOrderMark)) rest.remove_prefix(kUtf8ByteOrderMark.size());
  long lineNumber = 0;
  while (!rest.empty()) {
    const size_t lf = rest.find('\n');
    std::string_view line = rest.substr(0, lf);
    rest.remove_prefix(lf == std::string_view::npos ? rest.size() : lf + 1);
    if (lf != std::string_view::npos && line.ends_with('\r')) line.remove_suffix(1);
    reader.Read(line, ++lineNumber, true);
  }
  return true;
}
