#pragma once
// Reads a text file line by line the way a Windows text-mode stream does, on
// every platform alike: CR LF is one line end, LF alone is one too, a CR not
// followed by LF is an ordinary byte, and a Ctrl-Z byte ends the file. A
// line comes whole, or in pieces for a reader that keeps only some of it, so
// that a line of any length costs no more memory than the reader keeps; the
// file is read in large blocks.
//
// A file in UTF-8 is read as code page 932: each line is converted as it
// goes by, a character that code page 932 cannot hold (or a byte that is not
// UTF-8) becoming "〓", and the line is marked (UnheldCharacters).

#include <cstdint>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

enum class TextEncoding { kAuto, kShiftJis, kUtf8 };

// Tells the encoding of `file` (opened in binary mode) from its bytes up to
// its end or its first Ctrl-Z: UTF-8 when it begins with the byte order mark,
// or when it is valid UTF-8 throughout and holds a character of more than one
// byte (Japanese in UTF-8 is often valid Shift-JIS too, so that says
// nothing); otherwise Shift-JIS. Leaves the file at its start. False, with
// the error number in `error`, after a read error.
bool DetectTextEncoding(std::FILE* file, TextEncoding& encoding, int& error);

class TextFileLines {
 public:
  // Reads from `file`, opened in binary mode, from its current position (in
  // UTF-8, its start, whose byte order mark is skipped). The file stays the
  // caller's. `encoding` is kShiftJis or kUtf8. Throws std::bad_alloc when
  // there is no memory for the block buffer.
  explicit TextFileLines(std::FILE* file, TextEncoding encoding = TextEncoding::kShiftJis);

  // Puts the next line, without its line end, into `line`. Returns false when
  // no line is left: at the end of the file, at a Ctrl-Z, or after a read
  // error (see Failed). The last line needs no line end. Throws
  // std::bad_alloc when a line outgrows memory.
  bool Next(std::string& line);

  // Hands the next line, without its line end, to `take` in pieces (as many
  // as it takes, none for an empty line). Returns false when no line is left.
  bool Next(const std::function<void(std::string_view piece)>& take);

  // The next line, without its line end, as a view into the block read (valid
  // until the next call), when the line lies whole in the block, as most
  // lines do; otherwise (the line runs past the block, or the file is UTF-8)
  // false, having read nothing: Next then hands the line on in pieces.
  bool NextInBlock(std::string_view& line);

  // Whether the line last read held a character that code page 932 cannot
  // hold or bytes that are not UTF-8 (in a UTF-8 file only).
  bool UnheldCharacters() const { return unheld_; }

  // Whether reading stopped at a read error rather than at the file's end,
  // and the C library's error number for it.
  bool Failed() const { return failed_; }
  int Error() const { return error_; }

 private:
  bool Refill();
  bool NextBytes(const std::function<void(std::string_view piece)>& take);
  void TakeUtf8(std::string_view piece, const std::function<void(std::string_view piece)>& take);

  static constexpr size_t kBlockSize = 64 * 1024;
  std::FILE* file_;
  std::unique_ptr<char[]> block_;
  size_t pos_ = 0;
  size_t len_ = 0;
  size_t stop_ = 0;  // where a Ctrl-Z in the block ends the file, or len_
  bool ended_ = false;  // a Ctrl-Z, the end of the file or a read error was met
  bool pendingCr_ = false;  // a CR ended the last block: the CR of a CR LF, or an ordinary byte
  bool failed_ = false;  // a read error was met
  int error_ = 0;
  bool utf8_ = false;
  bool unheld_ = false;
  std::string carry_;      // the start of a UTF-8 character cut by the end of a piece
  std::string converted_;  // a piece in code page 932
};
