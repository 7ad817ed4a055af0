#pragma once
// The dictionary files are input like any other: before the analyser maps
// them, each is checked to be a regular file of a size its own header
// agrees with, whose parts the header counts lie within it. The analyser
// then reads them as they are mapped.

#include <cstdint>
#include <string>
#include <string_view>

enum class DictionaryProblem {
  kNone,
  kMissing,         // the file is not there
  kNotRegularFile,  // a folder, a FIFO, a device, ...
  kTooLarge,        // larger than any such file can sensibly be
  kUnreadable,      // there, but it cannot be opened or read
  kDamaged,         // its size or its header's counts disagree
};

// What is wrong and with which file (its path, UTF-8); `problem` is kNone
// when nothing is.
struct DictionaryFault {
  DictionaryProblem problem = DictionaryProblem::kNone;
  std::string file;
};

// The compiled IPA dictionary in `folder`: dicrc, sys.dic, unk.dic,
// matrix.bin and char.bin, in that order; the first fault found.
DictionaryFault CheckIpaDictionary(std::string_view folder);

// A text file that is mapped whole into memory (SKK-JISYO.L, UniDic's
// table): there, a regular file, and at most `limit` bytes.
DictionaryFault CheckWholeFile(std::string_view path, std::uintmax_t limit);

// The largest SKK-JISYO.L that is mapped (the real one is under 5 MB).
constexpr std::uintmax_t kSkkFileLimit = 64u << 20;
// The largest table of UniDic's readings that is mapped (the real one is
// under 10 MB).
constexpr std::uintmax_t kUnidicFileLimit = 64u << 20;
