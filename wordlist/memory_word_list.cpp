#include "wordlist/memory_word_list.h"
