#include "import/text_word_list.h"
