#pragma once
// The subcommands of lexiforge-cli. Each takes the arguments after its name
// and returns the process exit status.

int RunConvertCommand(int argc, char** argv);
int RunReadingsCommand(int argc, char** argv);
int RunShowCommand(int argc, char** argv);
int RunSaveCommand(int argc, char** argv);
int RunPoolCommand(int argc, char** argv);
int RunJuliusCommand(int argc, char** argv);
