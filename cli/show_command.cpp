// lexiforge-cli show: word lists, grammar files and pool files read into one
// table, printed one row per line.

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_io.h"
#include "cli/commands.h"
#include "cli/text_encoding.h"
#include "convert/sjis_text.h"
#include "import/dropped_file.h"
#include "import/input_file.h"
#include "import/pool_file.h"
#include "wordlist/memory_word_list.h"
#include "wordlist/sort_order.h"

namespace {

constexpr char kShowUsage[] =
    "usage: lexiforge-cli show [--encoding utf-8|sjis] FILE...\n"
    "\n"
    "Reads the files, in the order given, into one word list the way files\n"
    "dropped on the program's window are read: a path whose last three bytes are\n"
    "\"fsg\" is a grammar file, \"ppl\" a pool file, anything else a text word list;\n"
    "each file's rows go behind those read before.\n"
    "\n"
    "Prints one line per row: WORD<TAB>READING<TAB>BASEFORM, each field whole as the\n"
    "row holds it (up to 255 bytes). A byte 0x00 to 0x1F or 0x7F inside a field is\n"
    "printed as \\xNN (two upper-case hexadecimal digits).\n"
    "\n"
    "  --encoding utf-8   output in UTF-8 (the default); bytes that are not valid\n"
    "                     Shift-JIS are printed as \\xNN\n"
    "  --encoding sjis    output the Shift-JIS bytes unchanged\n"
    "\n"
    "A file that cannot be read (cannot be opened, or a pool file whose header\n"
    "differs) is reported on standard error; the other files are still read.\n"
    "\n"
    "Exit status: 0 when every file was read, 1 when any was not, 2 for a usage\n"
    "error.\n";

// Output is gathered as Shift-JIS with the escapes already in place and
// converted in pieces of about this size: one conversion per piece instead of
// one per field.
constexpr size_t kPieceSize = 64 * 1024;

bool IsControlByte(unsigned char b) { return b < 0x20 || b == 0x7F; }

bool IsSjisTrailByte(unsigned char b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

void AppendEscape(std::string& out, unsigned char b) {
  constexpr char kHex[] = "0123456789ABCDEF";
  const char escape[] = {'\\', 'x', kHex[b >> 4], kHex[b & 0x0F]};
  out.append(escape, sizeof escape);
}

// The bytes of the character that starts `text`, or 0 when its first byte
// begins no Shift-JIS character (a byte 0x80, 0xA0, 0xFD to 0xFF, or a lead
// byte without its trail byte).
size_t SjisCharacterLength(std::string_view text) {
  const auto b = static_cast<unsigned char>(text[0]);
  if (!IsSjisLeadByte(b)) return b == 0x80 || b == 0xA0 || b >= 0xFD ? 0 : 1;
  return text.size() >= 2 && IsSjisTrailByte(static_cast<unsigned char>(text[1])) ? 2 : 0;
}

class RowPrinter {
 public:
  explicit RowPrinter(Encoding encoding) : encoding_(encoding) { piece_.reserve(kPieceSize + 4 * 3 * 256 + 3); }
  ~RowPrinter() { Flush(); }

  void PrintRow(WordList list, int index) {
    for (int column = 0; column < kWordColumns; ++column) {
      AppendField(WordRowText(list, index, column));
      piece_.push_back(column + 1 < kWordColumns ? '\t' : '\n');
    }
    if (piece_.size() >= kPieceSize) Flush();
  }

  void Flush() {
    if (encoding_ == Encoding::kSjis) {
      out_.Append(piece_);
    } else if (Utf8FromSjis(piece_, converted_)) {
      out_.Append(converted_);
    } else {
      ConvertCharacterByCharacter();
    }
    piece_.clear();
    out_.Flush();
  }

 private:
  // Control bytes become escapes in either encoding. For UTF-8 output a byte
  // that begins no character is escaped too, so that the piece holds only
  // whole characters and one bad byte cannot spoil its neighbours.
  void AppendField(std::string_view text) {
    while (!text.empty()) {
      const auto b = static_cast<unsigned char>(text[0]);
      size_t length = 1;
      if (IsControlByte(b)) {
        AppendEscape(piece_, b);
      } else if (encoding_ == Encoding::kSjis) {
        piece_.push_back(text[0]);
      } else if ((length = SjisCharacterLength(text)) > 0) {
        piece_.append(text.data(), length);
      } else {
        AppendEscape(piece_, b);
        length = 1;
      }
      text.remove_prefix(length);
    }
  }

  // A piece that failed to convert holds a character with no Unicode
  // mapping: each such character is escaped byte by byte, the rest
  // converted one character at a time.
  void ConvertCharacterByCharacter() {
    std::string_view rest = piece_;
    while (!rest.empty()) {
      const size_t length = IsSjisLeadByte(static_cast<unsigned char>(rest[0])) && rest.size() >= 2 ? 2 : 1;
      const std::string_view character = rest.substr(0, length);
      if (static_cast<unsigned char>(character[0]) < 0x80) {
        out_.Append(character);
      } else if (Utf8FromSjis(character, converted_)) {
        out_.Append(converted_);
      } else {
        std::string escaped;
        for (const char c : character) AppendEscape(escaped, static_cast<unsigned char>(c));
        out_.Append(escaped);
      }
      rest.remove_prefix(length);
    }
  }

  Encoding encoding_;
  std::string piece_;
  std::string converted_;
  StdoutBuffer out_;
};

// Why a file the list could not take was not read, found by looking at it
// again.
std::string WhyNotRead(const char* path) {
  errno = 0;
  const InputFile file = OpenInputFile(path);
  if (!file) {
    const int error = errno;
    return error ? std::string("cannot be opened: ") + std::strerror(error) : "cannot be opened";
  }
  if (KindOfDroppedFile(path) == DroppedFileKind::kPoolFile && !HasPoolHeader(file.get())) {
    return "not a pool file: its first 10 bytes differ from the pool file header";
  }
  return "too large to read into memory";
}

}  // namespace

int RunShowCommand(int argc, char** argv) {
  Encoding encoding = Encoding::kUtf8;
  int first = 0;
  for (; first < argc; ++first) {
    const std::string_view arg = argv[first];
    if (arg == "--help" || arg == "-h") {
      std::fputs(kShowUsage, stdout);
      return 0;
    }
    const int option = ParseEncodingOption(argc, argv, first, encoding);
    if (option < 0) {
      std::fputs("lexiforge-cli show: --encoding takes utf-8 or sjis\n\n", stderr);
      std::fputs(kShowUsage, stderr);
      return 2;
    }
    if (option > 0) continue;
    if (arg == "--") {
      ++first;
      break;
    }
    if (arg.size() > 1 && arg[0] == '-') {
      std::fprintf(stderr, "lexiforge-cli show: unknown option %s\n\n", argv[first]);
      std::fputs(kShowUsage, stderr);
      return 2;
    }
    break;
  }
  if (first >= argc) {
    std::fputs("lexiforge-cli show: no FILE given\n\n", stderr);
    std::fputs(kShowUsage, stderr);
    return 2;
  }

  WordList list = CreateMemoryWordList();
  if (!list) {
    std::fputs("lexiforge-cli show: out of memory\n", stderr);
    return 1;
  }
  // Paths go to the file functions as given (on Windows in the ANSI code
  // page, as the program's own file functions take them); the messages name
  // them in the output's encoding.
  const std::vector<std::string> names = Utf8Arguments(argc, argv);
  bool allRead = true;
  for (int i = first; i < argc; ++i) {
    if (!LoadDroppedFile(list, argv[i])) {
      const char* name = encoding == Encoding::kUtf8 ? names[static_cast<size_t>(i)].c_str() : argv[i];
      std::fprintf(stderr, "lexiforge-cli show: %s: %s\n", name, WhyNotRead(argv[i]).c_str());
      allRead = false;
    }
  }

  UseBinaryStandardStreams();
  {
    RowPrinter printer(encoding);
    const int rows = RowCount(list);
    for (int i = 0; i < rows; ++i) printer.PrintRow(list, i);
  }
  DestroyMemoryWordList(list);
  return allRead ? 0 : 1;
}
