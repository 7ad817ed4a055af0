#pragma once
// The folder that holds the running program, where the dictionaries are
// looked for ("dic" beside it).

#include <string>

// In UTF-8, without a trailing separator; empty when the system does not say.
std::string ProgramFolder();
