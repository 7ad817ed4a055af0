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
  if (len_ == 0 && !ended_) {
    ended_ = true;
    failed_ = std::ferror(file_) != 0;
    error_ = errno;
  }
  return len_ > 0;
}

bool TextFileLines::Next(std::string& line) {
  line.clear();
  for (;;) {
    if (pos_ == len_ && !Refill()) return !line.empty();
    const char* start = block_.get() + pos_;
    const size_t available = len_ - pos_;
    const auto* lf = static_cast<const char*>(std::memchr(start, '\n', available));
    const size_t length = lf ? static_cast<size_t>(lf - start) : available;
    if (const auto* stop = static_cast<const char*>(std::memchr(start, kEndOfFile, length))) {
      line.append(start, static_cast<size_t>(stop - start));
      ended_ = true;
      pos_ = len_ = 0;
      return !line.empty();
    }
    line.append(start, length);
    if (lf) {
      pos_ += length + 1;
      // The CR of a CR LF pair may have come at the end of the previous
      // block, so it is looked for in the line, not in the block.
      if (!line.empty() && line.back() == '\r') line.pop_back();
      return true;
    }
    pos_ = len_;
  }
}
