// lexiforge-cli: batch work on readings, word lists and pool files.

#include <cstdio>
#include <new>
#include <string_view>

#include "cli/cli_io.h"
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
    "  julius    write them into one Julius word dictionary\n"
    "\n"
    "lexiforge-cli COMMAND --help explains a command and its exit status;\n"
    "--version (alone or after a command) prints the version.\n"
    "\n"
    "Exit status: the command's; 2 for a missing or unknown command.\n";

int RunCommand(std::string_view command, int argc, char** argv) {
  if (command == "--help" || command == "-h" || command == "help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  if (command == "--version") return PrintVersion();
  if (command == "convert") return RunConvertCommand(argc, argv);
  if (command == "readings") return RunReadingsCommand(argc, argv);
  if (command == "show") return RunShowCommand(argc, argv);
  if (command == "save") return RunSaveCommand(argc, argv);
  if (command == "pool") return RunPoolCommand(argc, argv);
  if (command == "julius") return RunJuliusCommand(argc, argv);
  std::fprintf(stderr, "lexiforge-cli: unknown command %.*s. Try 'lexiforge-cli --help'\n",
               static_cast<int>(command.size()), command.data());
  return 2;
}

}  // namespace

// Every command ends here: what it wrote to standard output must have
// arrived, and memory that runs out anywhere is said, never a crash.
int main(int argc, char** argv) {
  if (argc < 2) {
    std::fputs("lexiforge-cli: no command given. Try 'lexiforge-cli --help'\n", stderr);
    return 2;
  }
  int status;
  try {
    status = RunCommand(argv[1], argc - 2, argv + 2);
  } catch (const std::bad_alloc&) {
    std::fprintf(stderr, "lexiforge-cli %s: not enough memory\n", argv[1]);
    status = 1;
  }
  if (!FinishStandardOutput(argv[1]) && status == 0) status = 1;
  return status;
}
