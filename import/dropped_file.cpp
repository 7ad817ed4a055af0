#include "import/dropped_file.h"
