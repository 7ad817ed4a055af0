// On POSIX systems the arguments are the bytes the user typed.

#include "cli/text_encoding.h"

std::vector<std::string> Utf8Arguments(int argc, char** argv) { return {argv, argv + argc}; }

std::vector<bool> ExactArguments(int argc, char**) { return std::vector<bool>(static_cast<size_t>(argc), true); }
