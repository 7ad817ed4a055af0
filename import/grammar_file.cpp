#include "import/grammar_file.h"
