// On POSIX systems the arguments are the bytes the user typed, and the
// conversions are the ones the reading proposer uses (iconv).

#include "cli/text_encoding.h"
#include "readings/system_text.h"

bool SjisFromUtf8(std::string_view in, std::string& out) { return ConvertUtf8ToSjis(in, out); }

bool Utf8FromSjis(std::string_view in, std::string& out) { return ConvertSjisToUtf8(in, out); }

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

std::vector<bool> ExactArguments(int argc, char**) { return std::vector<bool>(static_cast<size_t>(argc), true); }
