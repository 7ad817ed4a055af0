#include "files/text_file_lines.h"

#include <cerrno>
#include <cstring>

namespace {

constexpr char kEndOfFile = 0x1A;  // Ctrl-Z

}  // namespace

TextFileLines::TextFileLines(std::FILE* file) : file_(file), block_(new char[kBlockSize]) {}

bool TextFileLines::Refill() {
  pos_ = 0;
  errno = 0;
  len_ = ended_ ? 0 : std::fread(block_.get(), 1, kBlockSize, file_);
  bytesRead_ += static_cast<int64_t>(len_);
  if (len_ == 0 && !ended_) {
    ended_ = true;
    failed_ = std::ferror(file_) != 0;
    error_ = errno;
  }
  return len_ > 0;
}

bool TextFileLines::Next(std::string& line) {
  line.clear();
  return Next([&line](std::string_view piece) { line.append(piece); });
}

// A CR at the end of a block is held back until the next byte says whether
// it is the CR of a CR LF (dropped) or an ordinary byte (handed on).
bool TextFileLines::Next(const std::function<void(std::string_view piece)>& take) {
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
      pos_ = len_ = 0;
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
