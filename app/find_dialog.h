#pragma once
// The find dialog (template 109): the text to find, the column to look in
// and whether the whole field must match.

#include <windows.h>

#include "wordlist/row_find.h"

// Opens the dialog modally over `owner`, proposing `request`. True when the
// user chose "検索": `request` then holds what to find. False when the user
// cancelled; `request` is then as it was.
bool AskWhatToFind(HWND owner, FindRequest& request);
