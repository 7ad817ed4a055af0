// lexiforge-cli: batch work on readings, word lists and pool files.

#include <cstdio>
#include <string_view>

#include "cli/commands.h"

namespace {

constexpr char kUsage[] =
    "usage: lexiforge-cli COMMAND [ARGS...]\n"
    "\n"
    "commands:\n"
    "  convert   convert hiragana readings into baseforms\n"
    "  readings  propose the readings of words\n"
    "  show      print the rows that word lists, grammar and pool files give\n"
    "  save      write them into one text word list\n"
    "  pool      write them into one pool file\n"
    "\n"
    "lexiforge-cli COMMAND --help explains a command.\n";

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const std::string_view command = argv[1];
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command == "convert") return RunConvertCommand(argc - 2, argv + 2);
  if (command == "readings") return RunReadingsCommand(argc - 2, argv + 2);
  if (command == "show") return RunShowCommand(argc - 2, argv + 2);
  if (command == "save") return RunSaveCommand(argc - 2, argv + 2);
  if (command == "pool") return RunPoolCommand(argc - 2, argv + 2);
  std::fprintf(stderr, "lexiforge-cli: unknown command %s\n\n", argv[1]);
  std::fputs(kUsage, stderr);
  return 2;
}
