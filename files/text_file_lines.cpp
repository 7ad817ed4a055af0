#include "files/text_file_lines.h"

#include <cerrno>
#include <cstring>

#include "convert/sjis_text.h"

namespace {

constexpr char kEndOfFile = 0x1A;  // Ctrl-Z

// What stands for a character code page 932 cannot hold: "〓", the mark
// Japanese text has long used for a character that cannot be shown.
const std::string& UnheldMark() {
  static const std::string mark = [] {
    std::string sjis;
    return ConvertUtf8ToSjis("\xE3\x80\x93", sjis) ? sjis : std::string();
  }();
  return mark;
}

}  // namespace

// One pass from the start; Shift-JIS text usually fails at its first kanji.
// A character cut by a block's end is moved to the front of the block and
// the next block read behind it.
bool DetectTextEncoding(std::FILE* file, TextEncoding& encoding, int& error) {
  constexpr size_t kSize = 64 * 1024;
  const std::unique_ptr<char[]> block(new char[kSize]);
  encoding = TextEncoding::kShiftJis;
  error = 0;
  if (std::fseek(file, 0, SEEK_SET) != 0) {
    error = errno;
    return false;
  }
  bool first = true, multibyte = false, decided = false;
  size_t kept = 0;
  while (!decided) {
    errno = 0;
    const size_t n = std::fread(block.get() + kept, 1, kSize - kept, file);
    if (n == 0) {
      if (std::ferror(file)) {
        error = errno ? errno : EIO;
        return false;
      }
      // A character cut short by the file's end is not UTF-8.
      if (kept == 0 && multibyte) encoding = TextEncoding::kUtf8;
      break;
    }
    std::string_view text(block.get(), kept + n);
    if (const auto* stop = static_cast<const char*>(std::memchr(text.data() + kept, kEndOfFile, n))) {
      text = text.substr(0, static_cast<size_t>(stop - text.data()));
      decided = true;
    }
    if (first && text.starts_with(kUtf8ByteOrderMark)) {
      encoding = TextEncoding::kUtf8;
      break;
    }
    first = false;
    const Utf8Scan scan = ScanUtf8(text);
    multibyte = multibyte || scan.multibyte;
    if (!scan.valid) break;
    kept = text.size() - scan.whole;
    if (decided) {
      if (kept == 0 && multibyte) encoding = TextEncoding::kUtf8;
      break;
    }
    std::memmove(block.get(), text.data() + scan.whole, kept);
  }
  std::clearerr(file);
  if (std::fseek(file, 0, SEEK_SET) != 0) {
    error = errno;
    return false;
  }
  return true;
}

TextFileLines::TextFileLines(std::FILE* file, TextEncoding encoding)
    : file_(file), block_(new char[kBlockSize]), utf8_(encoding == TextEncoding::kUtf8) {
  if (utf8_ && Refill() && std::string_view(block_.get(), len_).starts_with(kUtf8ByteOrderMark)) {
    pos_ = kUtf8ByteOrderMark.size();
  }
}

bool TextFileLines::Refill() {
  pos_ = 0;
  errno = 0;
  len_ = ended_ ? 0 : std::fread(block_.get(), 1, kBlockSize, file_);
  if (len_ == 0 && !ended_) {
    ended_ = true;
    failed_ = std::ferror(file_) != 0;
    error_ = errno;
  }
  const auto* stop = static_cast<const char*>(std::memchr(block_.get(), kEndOfFile, len_));
  stop_ = stop ? static_cast<size_t>(stop - block_.get()) : len_;
  return len_ > 0;
}

// A line that ends before the block's end and before any Ctrl-Z in it needs
// none of the care NextBytes takes over a block's end.
bool TextFileLines::NextInBlock(std::string_view& line) {
  if (utf8_ || pendingCr_ || pos_ >= stop_) return false;
  const char* start = block_.get() + pos_;
  const auto* lf = static_cast<const char*>(std::memchr(start, '\n', stop_ - pos_));
  if (!lf) return false;
  size_t length = static_cast<size_t>(lf - start);
  pos_ += length + 1;
  if (length > 0 && start[length - 1] == '\r') --length;
  line = std::string_view(start, length);
  return true;
}

bool TextFileLines::Next(std::string& line) {
  line.clear();
  return Next([&line](std::string_view piece) { line.append(piece); });
}

bool TextFileLines::Next(const std::function<void(std::string_view piece)>& take) {
  if (!utf8_) return NextBytes(take);
  unheld_ = false;
  carry_.clear();
  const bool more = NextBytes([this, &take](std::string_view piece) { TakeUtf8(piece, take); });
  if (!carry_.empty()) {
    // The line ended inside a character.
    take(UnheldMark());
    unheld_ = true;
    carry_.clear();
  }
  return more;
}

// The whole characters of a piece go on converted, the start of one cut by
// the piece's end waits for the next piece. Where the piece cannot be
// converted as a whole, each character is converted alone.
void TextFileLines::TakeUtf8(std::string_view piece, const std::function<void(std::string_view piece)>& take) {
  std::string joined;
  if (!carry_.empty()) {
    joined = std::move(carry_);
    joined.append(piece);
    piece = joined;
    carry_.clear();
  }
  const Utf8Scan scan = ScanUtf8(piece);
  if (scan.valid && ConvertUtf8ToSjis(piece.substr(0, scan.whole), converted_)) {
    carry_.assign(piece.substr(scan.whole));
  } else {
    converted_.clear();
    std::string character;
    for (size_t pos = 0; pos < piece.size();) {
      bool cutShort = false;
      const size_t length = Utf8CharacterLength(piece.substr(pos), &cutShort);
      if (cutShort) {
        carry_.assign(piece.substr(pos));
        break;
      }
      if (length > 0 && ConvertUtf8ToSjis(piece.substr(pos, length), character)) {
        converted_.append(character);
      } else {
        converted_.append(UnheldMark());
        unheld_ = true;
      }
      pos += length > 0 ? length : 1;
    }
  }
  if (!converted_.empty()) take(converted_);
}

// A CR at the end of a block is held back until the next byte says whether
// it is the CR of a CR LF (dropped) or an ordinary byte (handed on).
bool TextFileLines::NextBytes(const std::function<void(std::string_view piece)>& take) {
  bool any = false;  // whether the line has a byte, so that it exists at the file's end
  const auto handOnPendingCr = [&] {
    if (!pendingCr_) return;
    pendingCr_ = false;
    take("\r");
    any = true;
  };
  for (;;) {
    if (pos_ == len_ && !Refill()) {
      handOnPendingCr();
      return any;
    }
    const char* start = block_.get() + pos_;
    const size_t available = len_ - pos_;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', available));
    const size_t length = lf ? static_cast<size_t>(lf - start) : available;
    if (const auto* stop = static_cast<const char*>(std::memchr(start, kEndOfFile, length))) {
      handOnPendingCr();
      if (stop > start) {
        take(std::string_view(start, static_cast<size_t>(stop - start)));
        any = true;
      }
      ended_ = true;
      pos_ = len_ = stop_ = 0;
      return any;
    }
    if (lf) {
      pos_ += length + 1;
      if (length == 0) {
        pendingCr_ = false;  // the CR of a CR LF split between two blocks
        return true;
      }
      handOnPendingCr();
      const size_t kept = start[length - 1] == '\r' ? length - 1 : length;
      if (kept > 0) take(std::string_view(start, kept));
      return true;
    }
    handOnPendingCr();
    size_t kept = available;
    if (start[kept - 1] == '\r') {
      --kept;
      pendingCr_ = true;
    }
    if (kept > 0) take(std::string_view(start, kept));
    any = true;
    pos_ = len_;
  }
}
