#include "import/pool_file.h"
